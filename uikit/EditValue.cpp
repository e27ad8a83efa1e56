#include "EditValue.h"

#include "DateTimeText.h"
#include "NumberText.h"

std::optional<double> ValueToNumber(const TEditValue& value) {
    if (const auto* number = std::get_if<double>(&value))
        return *number;
    if (const auto* moment = std::get_if<TDateTime>(&value))
        return moment->Days;
    if (const auto* text = std::get_if<Windows1252Text>(&value))
        return ParseFloat(text->Bytes());
    return std::nullopt;
}

std::optional<TDateTime> ValueToDateTime(const TEditValue& value) {
    if (const auto* moment = std::get_if<TDateTime>(&value))
        return *moment;
    if (const auto* number = std::get_if<double>(&value))
        return TDateTime{*number};
    if (const auto* text = std::get_if<Windows1252Text>(&value))
        return ParseDateTime(text->Bytes());
    return std::nullopt;
}

Windows1252Text ValueToText(const TEditValue& value) {
    if (const auto* text = std::get_if<Windows1252Text>(&value))
        return *text;
    if (const auto* number = std::get_if<double>(&value))
        return Windows1252Text(FloatToText(*number));
    if (const auto* moment = std::get_if<TDateTime>(&value))
        return Windows1252Text(DateTimeToText(*moment));
    return {};
}
