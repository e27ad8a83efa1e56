#include "Trim.h"

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::string Trim(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first]))
        ++first;
    while (last > first && IsBlankOrControl(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (!IsBlankOrControl(c))
            return false;
    return true;
}
