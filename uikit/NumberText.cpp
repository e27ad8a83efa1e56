#include "NumberText.h"

#include "BrazilianNumbers.h"
#include "QuotedText.h"

#include <vector>

namespace {

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

std::string FormatSection(const TPicture& picture, const RoundedDecimal& number) {
    std::string integer = number.whole;
    if (static_cast<int>(integer.size()) < picture.MinIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(picture.MinIntegerDigits) - integer.size(), '0');
    std::string fraction = number.fraction;
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
    const RoundedDecimal rounded = RoundHalfAwayFromZero(value, positive.MaxDecimals);
    if (rounded.IsZero() || value == 0) {
        if (sections.size() > 2 && !sections[2].empty()) {
            const TPicture zero = ParsePicture(sections[2]);
            return FormatSection(zero, RoundHalfAwayFromZero(0, zero.MaxDecimals));
        }
        return FormatSection(positive, RoundHalfAwayFromZero(0, positive.MaxDecimals));
    }
    if (value > 0)
        return FormatSection(positive, rounded);
    if (sections.size() > 1 && !sections[1].empty()) {
        const TPicture negative = ParsePicture(sections[1]);
        return FormatSection(negative, RoundHalfAwayFromZero(value, negative.MaxDecimals));
    }
    return "-" + FormatSection(positive, rounded);
}

std::string FormatCurrency(double value) {
    const RoundedDecimal number = RoundHalfAwayFromZero(value, 2);
    return MoneyText(value < 0 && !number.IsZero(), number.whole.empty() ? "0" : number.whole, number.fraction);
}

std::string FloatToText(double value) { return SignificantDigitsText(value, ExponentStyle::kUpperCaseShort); }

std::optional<double> ParseFloat(const std::string& text) { return ParseCommaDecimal(text, {}); }
