#include "EditValue.h"

#include "DateTimeText.h"
#include "NumberText.h"

std::optional<double> ValueToNumber(const TEditValue& value) {
    if (const auto* number = std::get_if<double>(&value))
        return *number;
    if (const auto* moment = std::get_if<TDateTime>(&value))
        return moment->Days;
    if (const auto* text = std::get_if<std::string>(&value))
        return ParseFloat(*text);
    return std::nullopt;
}

std::optional<TDateTime> ValueToDateTime(const TEditValue& value) {
    if (const auto* moment = std::get_if<TDateTime>(&value))
        return *moment;
    if (const auto* number = std::get_if<double>(&value))
        return TDateTime{*number};
    if (const auto* text = std::get_if<std::string>(&value))
        return ParseDateTime(*text);
    return std::nullopt;
}

std::string ValueToText(const TEditValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* number = std::get_if<double>(&value))
        return FloatToText(*number);
    if (const auto* moment = std::get_if<TDateTime>(&value))
        return DateTimeToText(*moment);
    return {};
}
