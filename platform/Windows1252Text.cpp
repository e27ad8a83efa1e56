#include "Windows1252Text.h"

#include <cstdio>
#include <ostream>

void PrintTo(const Windows1252Text& text, std::ostream* out) {
    *out << "Windows-1252 \"";
    for (char c : text.Bytes()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            *out << '\\' << c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            *out << c;
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            *out << escape;
        }
    }
    *out << '"';
}
