#include "InterpreterArguments.h"

#include "RegionalFormats.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

std::string_view ArgumentOf(std::string_view line) { return line.empty() ? line : line.substr(1); }

}  // namespace

char CommandLetter(std::string_view line) {
    if (line.empty())
        return '\0';
    const char c = line.front();
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::optional<int> IntArgument(std::string_view line) {
    std::string_view text = ArgumentOf(line);
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    if (text.starts_with('+') && !text.starts_with("+-"))
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || stop != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> DecimalArgument(std::string_view line) {
    std::string text(line);
    for (char& c : text)
        if (c == '.')
            c = ',';
    const auto first = text.find_first_not_of(' ');
    text.erase(0, std::min(first, text.size()));
    return ParseDecimal(ArgumentOf(text));
}

std::string TextArgument(std::string_view line) { return std::string(ArgumentOf(line)); }
