#include "BrazilianNumbers.h"

#include "Trim.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

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
