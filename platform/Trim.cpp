#include "Trim.h"

namespace quorvel {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsSpace(char c) { return c == ' '; }

template <typename IsTrimmed>
std::string_view TrimmedView(std::string_view text, IsTrimmed isTrimmed) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isTrimmed(text[first]))
        ++first;
    while (last > first && isTrimmed(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

}  // namespace

std::string Trim(std::string_view text) { return std::string(TrimmedView(text, IsBlankOrControl)); }

std::string_view TrimSpaces(std::string_view text) { return TrimmedView(text, IsSpace); }

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (!IsBlankOrControl(c))
            return false;
    return true;
}

}  // namespace quorvel
