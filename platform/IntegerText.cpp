#include "IntegerText.h"

namespace {

std::optional<unsigned> DigitValue(char c, unsigned base) {
    unsigned value;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else
        return std::nullopt;
    if (value >= base)
        return std::nullopt;
    return value;
}

bool StartsWithHexPrefix(std::string_view text, size_t& prefixLength) {
    if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
        prefixLength = 1;
        return true;
    }
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        prefixLength = 2;
        return true;
    }
    return false;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    size_t prefixLength = 0;
    const bool hex = StartsWithHexPrefix(text.substr(pos), prefixLength);
    pos += prefixLength;
    const unsigned base = hex ? 16 : 10;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;

    if (pos == text.size())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        auto digit = DigitValue(text[pos], base);
        if (!digit)
            return std::nullopt;
        magnitude = magnitude * base + *digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}
