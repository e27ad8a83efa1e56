#include "EditFormat.h"

#include "DateTimeText.h"
#include "NumberText.h"

#include <cmath>
#include <limits>

namespace {

const TEditStyleFormats kDefaultFormats[] = {
    {"", ""},                      // esText
    {"DD/MM/YYYY", "DD/MM/YYYY"},  // esDate
    {"HH:NN", "HH:NN"},            // esTime
    {"0.##", ""},                  // esCurrency
    {"0.##", "0.00 %;-0.00%"},     // esPercent
    {"0.##", "0.00"},              // esGeneralNumeric
    {"0", "0"},                    // esInteger
};

const char* KeptSet(TQZEditStyles style) {
    switch (style) {
    case esText: return nullptr;
    case esDate: return "0123456789/-";
    case esTime: return "0123456789:-";
    case esInteger: return "0123456789-";
    default: return "0123456789,-";
    }
}

bool IsDateOrTime(TQZEditStyles style) { return style == esDate || style == esTime; }

std::optional<std::int32_t> ToInt32(std::optional<double> number) {
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

TEditStyleFormats DefaultFormats(TQZEditStyles style) { return kDefaultFormats[style]; }

std::string InputMaskFor(TQZEditStyles style, const std::string& editFormat) {
    if (!IsDateOrTime(style))
        return {};
    std::string mask = editFormat;
    for (char& c : mask)
        if (std::string_view("DMYHNSZ").find(c) != std::string_view::npos)
            c = '9';
    return "!" + mask + ";1; ";
}

std::string QtInputMask(const std::string& inputMask) {
    if (inputMask.empty())
        return {};
    std::string body = inputMask;
    char blank = ' ';
    // The two trailing fields: whether literals are kept and the blank.
    if (const auto last = body.rfind(';'); last != std::string::npos && last + 2 == body.size()) {
        blank = body[last + 1];
        body.resize(last);
        if (const auto keep = body.rfind(';'); keep != std::string::npos && keep + 2 == body.size())
            body.resize(keep);
    }
    if (!body.empty() && body[0] == '!')
        body.erase(0, 1);
    std::string qt;
    for (char c : body) {
        if (c == '9') {
            qt += '0';
            continue;
        }
        if (std::string_view("AaNnXx90Dd#HhBb><![]{}\\;").find(c) != std::string_view::npos)
            qt += '\\';
        qt += c;
    }
    return qt + ";" + blank;
}

std::string KeptCharacters(TQZEditStyles style, const std::string& text) {
    const char* kept = KeptSet(style);
    if (!kept)
        return text;
    std::string out;
    for (char c : text)
        if (std::string_view(kept).find(c) != std::string_view::npos)
            out += c;
    return out;
}

bool HasValue(TQZEditStyles style, const TEditValue& value) {
    if (IsNull(value))
        return false;
    if (style == esDate) {
        const auto number = ValueToNumber(value);
        return !(number && *number == 0);
    }
    return true;
}

std::string FormatValue(TQZEditStyles style, const std::string& format, bool focused, const TEditValue& value) {
    const bool hasValue = HasValue(style, value);
    switch (style) {
    case esText: return ValueToText(value).Bytes();
    case esDate:
    case esTime: {
        const auto moment = hasValue ? ValueToDateTime(value) : std::nullopt;
        return moment ? FormatDateTime(format, *moment) : std::string();
    }
    default: {
        const double number = hasValue ? ValueToNumber(value).value_or(0) : 0;
        if (style == esCurrency && !focused)
            return FormatCurrency(number);
        return FormatFloat(format, number);
    }
    }
}

TEditValue TextToValue(TQZEditStyles style, const std::string& text) {
    const std::string kept = KeptCharacters(style, text);
    switch (style) {
    case esText: return Windows1252Text(text);
    case esDate:
        if (const auto date = ParseDate(kept))
            return *date;
        return {};
    case esTime:
        if (const auto time = ParseTime(kept))
            return *time;
        return {};
    default:
        if (const auto number = ParseFloat(kept))
            return *number;
        return {};
    }
}

std::int32_t ValueAsInteger(TQZEditStyles style, const TEditValue& value, const std::string& text) {
    if (IsNull(value))
        return 0;
    if (const auto number = ToInt32(ValueToNumber(value)))
        return *number;
    return ToInt32(ValueToNumber(TextToValue(style, text))).value_or(0);
}
