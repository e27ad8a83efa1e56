#include "NumberText.h"

#include "BrazilianNumbers.h"
#include "QuotedText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kSignificantDigits = 15;

struct TDecimalText {
    std::string Integer;   // without leading zeros; empty for 0
    std::string Fraction;  // exactly the requested number of decimals
    bool IsZero() const { return Integer.empty() && Fraction.find_first_not_of('0') == std::string::npos; }
};

// |value| rounded to `decimals` places, half away from zero, working on the
// value's first 15 significant digits.
TDecimalText RoundDecimal(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", kSignificantDigits - 1, std::fabs(value));
    std::string digits;
    for (const char* p = text; *p && *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    // Place the digits around the decimal point: pointPos digits form the
    // integer part.
    int pointPos = exponent + 1;
    if (pointPos < 0) {
        digits.insert(0, static_cast<std::size_t>(-pointPos), '0');
        pointPos = 0;
    }
    if (static_cast<int>(digits.size()) < pointPos + decimals + 1)
        digits.append(static_cast<std::size_t>(pointPos + decimals + 1) - digits.size(), '0');
    const bool roundUp = digits[static_cast<std::size_t>(pointPos + decimals)] >= '5';
    digits.resize(static_cast<std::size_t>(pointPos + decimals));
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++digits[static_cast<std::size_t>(i)];
        else {
            digits.insert(0, 1, '1');
            ++pointPos;
        }
    }
    TDecimalText result{digits.substr(0, static_cast<std::size_t>(pointPos)),
                        digits.substr(static_cast<std::size_t>(pointPos))};
    const auto firstSignificant = result.Integer.find_first_not_of('0');
    result.Integer = firstSignificant == std::string::npos ? "" : result.Integer.substr(firstSignificant);
    return result;
}

// One picture section taken apart: the literal text around the digits and
// what the digit placeholders ask for.
struct TPicture {
    std::string Before;        // literals ahead of the first digit
    std::string BeforePoint;   // literals between the digits and the point
    std::string AfterDigits;   // literals after the last digit
    int MinIntegerDigits = 0;  // "0" placeholders before the point
    int MaxDecimals = 0;       // placeholders after the point
    int MinDecimals = 0;       // up to the last "0" after the point
    bool Thousands = false;
    bool HasPoint = false;
};

TPicture ParsePicture(const std::string& section) {
    TPicture picture;
    bool seenDigit = false;
    std::string pending;  // literals since the last digit
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"' || c == '\'') {
            QuotedLiteral literal = ReadQuotedLiteral(section, i);
            pending += literal.content;
            i = literal.next - 1;  // the loop steps past the closing mark
        } else if (c == '0' || c == '#') {
            if (!seenDigit)
                picture.Before += pending;
            else if (picture.HasPoint)
                picture.AfterDigits += pending;
            else
                picture.BeforePoint += pending;
            pending.clear();
            seenDigit = true;
            if (picture.HasPoint) {
                ++picture.MaxDecimals;
                if (c == '0')
                    picture.MinDecimals = picture.MaxDecimals;
            } else if (c == '0') {
                ++picture.MinIntegerDigits;
            }
        } else if (c == '.' && !picture.HasPoint) {
            (seenDigit ? picture.BeforePoint : picture.Before) += pending;
            pending.clear();
            picture.HasPoint = true;
            seenDigit = true;
        } else if (c == ',' && !picture.HasPoint) {
            picture.Thousands = true;
        } else {
            pending += c;
        }
    }
    (seenDigit ? picture.AfterDigits : picture.Before) += pending;
    return picture;
}

std::string FormatSection(const TPicture& picture, const TDecimalText& number) {
    std::string integer = number.Integer;
    if (static_cast<int>(integer.size()) < picture.MinIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(picture.MinIntegerDigits) - integer.size(), '0');
    std::string fraction = number.Fraction;
    while (static_cast<int>(fraction.size()) > picture.MinDecimals && fraction.back() == '0')
        fraction.pop_back();
    std::string out = picture.Before + (picture.Thousands ? GroupThousands(integer) : integer) + picture.BeforePoint;
    if (!fraction.empty())
        out += kDecimalComma + fraction;
    return out + picture.AfterDigits;
}

}  // namespace

std::string FormatFloat(const std::string& picture, double value) {
    if (picture.empty())
        return FloatToText(value);
    const std::vector<std::string> sections = SplitOutsideQuotes(picture, ';');
    const TPicture positive = ParsePicture(sections[0]);
    const TDecimalText rounded = RoundDecimal(value, positive.MaxDecimals);
    if (rounded.IsZero() || value == 0) {
        if (sections.size() > 2 && !sections[2].empty()) {
            const TPicture zero = ParsePicture(sections[2]);
            return FormatSection(zero, RoundDecimal(0, zero.MaxDecimals));
        }
        return FormatSection(positive, RoundDecimal(0, positive.MaxDecimals));
    }
    if (value > 0)
        return FormatSection(positive, rounded);
    if (sections.size() > 1 && !sections[1].empty()) {
        const TPicture negative = ParsePicture(sections[1]);
        return FormatSection(negative, RoundDecimal(value, negative.MaxDecimals));
    }
    return "-" + FormatSection(positive, rounded);
}

std::string FormatCurrency(double value) {
    const TDecimalText number = RoundDecimal(value, 2);
    return MoneyText(value < 0 && !number.IsZero(), number.Integer.empty() ? "0" : number.Integer, number.Fraction);
}

std::string FloatToText(double value) { return SignificantDigitsText(value, ExponentStyle::kUpperCaseShort); }

std::optional<double> ParseFloat(const std::string& text) { return ParseCommaDecimal(text, {}); }
