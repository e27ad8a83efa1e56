#include "BrazilianNumbers.h"

#include "Trim.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kSignificantDigits = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the text against the forms and rewrites it with "." for the
// locale-free parser.
std::optional<std::string> ToPlainDecimal(std::string_view text, CommaDecimalForms forms) {
    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || (forms.plusSign && text[i] == '+'))) {
        if (text[i] == '-')
            plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool separatorSeen = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++mantissaDigits;
            plain += c;
        } else if (c == kDecimalComma && !separatorSeen) {
            separatorSeen = true;
            plain += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (forms.exponent && i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        const std::size_t exponentStart = i;
        while (i < text.size() && IsDigit(text[i]))
            plain += text[i++];
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    return plain;
}

// "E+20" as "E20", "E-05" as "E-5".
std::string ShortExponent(std::string_view exponent) {
    const std::string_view digits = exponent.substr(2);
    return std::string("E") + (exponent[1] == '-' ? "-" : "") +
           std::string(digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1)));
}

}  // namespace

std::string GroupThousands(std::string_view digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += kThousandsPoint;
        out += digits[i];
    }
    return out;
}

RoundedDecimal RoundHalfAwayFromZero(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", kSignificantDigits - 1, std::fabs(value));
    std::string digits;
    for (const char* p = text; *p && *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    // Place the digits around the decimal point: pointPos digits form the
    // whole part.
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
    RoundedDecimal result{digits.substr(0, static_cast<std::size_t>(pointPos)),
                          digits.substr(static_cast<std::size_t>(pointPos))};
    const auto firstSignificant = result.whole.find_first_not_of('0');
    result.whole = firstSignificant == std::string::npos ? "" : result.whole.substr(firstSignificant);
    return result;
}

std::string MoneyText(bool negative, std::string_view wholeDigits, std::string_view cents) {
    return (negative ? "-R$ " : "R$ ") + GroupThousands(wholeDigits) + kDecimalComma + std::string(cents);
}

std::optional<double> ParseCommaDecimal(std::string_view text, CommaDecimalForms forms) {
    const auto plain = ToPlainDecimal(quorvel::TrimSpaces(text), forms);
    if (!plain)
        return std::nullopt;
    double value = 0;
    const char* end = plain->data() + plain->size();
    const auto [stop, error] = std::from_chars(plain->data(), end, value);
    if (error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

std::string SignificantDigitsText(double value, ExponentStyle style) {
    char text[64];
    std::snprintf(text, sizeof text, style == ExponentStyle::kUpperCaseShort ? "%.*G" : "%.*g", kSignificantDigits,
                  value);
    std::string mantissa = text;
    std::string exponent;
    if (const auto e = mantissa.find_first_of("eE"); e != std::string::npos) {
        exponent = mantissa.substr(e);
        mantissa.resize(e);
        if (style == ExponentStyle::kUpperCaseShort)
            exponent = ShortExponent(exponent);
    }
    if (const auto point = mantissa.find('.'); point != std::string::npos)
        mantissa[point] = kDecimalComma;
    return mantissa + exponent;
}
