#include "RegionalFormats.h"

#include "BrazilianNumbers.h"
#include "Trim.h"

#include <charconv>
#include <cstdio>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the shape [sign] digits [, digits] [E [sign] digits] with at least
// one mantissa digit and rewrites it with "." for the locale-free parser.
std::optional<std::string> ToPlainDecimal(std::string_view text) {
    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
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
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
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

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    const auto plain = ToPlainDecimal(quorvel::TrimSpaces(text));
    if (!plain)
        return std::nullopt;
    double value = 0;
    const char* end = plain->data() + plain->size();
    const auto [stop, error] = std::from_chars(plain->data(), end, value);
    if (error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

std::string FormatMoney(std::int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(tenThousandths) : static_cast<std::uint64_t>(tenThousandths);
    const std::uint64_t cents = (magnitude + 50) / 100;
    char decimals[3];
    std::snprintf(decimals, sizeof decimals, "%02u", static_cast<unsigned>(cents % 100));
    return MoneyText(negative && cents != 0, std::to_string(cents / 100), decimals);
}

std::string FormatQuantity(double quantity) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, quantity, std::chars_format::general, 15);
    std::string result(text, error == std::errc{} ? end : text);
    for (char& c : result)
        if (c == '.')
            c = kDecimalComma;
    return result;
}
