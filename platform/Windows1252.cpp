#include "Windows1252.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace {

// One iconv conversion descriptor, closed on scope exit.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; on a byte sequence it cannot convert it
    // calls onBad with the rest of the input and goes on where it says.
    template <typename OnBad>
    std::string Run(std::string_view in, OnBad onBad) {
        std::string out;
        char buffer[256];
        char* src = const_cast<char*>(in.data());
        size_t left = in.size();
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer, dst - buffer);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                size_t skip = onBad(std::string_view(src, left), out);
                src += skip;
                left -= skip;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead, size_t available) {
    size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return n <= available ? n : 1;
}

}  // namespace

Windows1252Text Utf8ToWindows1252(std::string_view utf8) {
    Converter converter("WINDOWS-1252", "UTF-8");
    return Windows1252Text(converter.Run(utf8, [](std::string_view rest, std::string& out) {
        out += '?';
        return errno == EILSEQ ? Utf8SequenceLength(static_cast<unsigned char>(rest[0]), rest.size()) : rest.size();
    }));
}

Windows1252Text CodePointToWindows1252(char32_t codePoint) {
    const char utf32[4] = {static_cast<char>(codePoint & 0xFF), static_cast<char>((codePoint >> 8) & 0xFF),
                           static_cast<char>((codePoint >> 16) & 0xFF), static_cast<char>(codePoint >> 24)};
    Converter converter("WINDOWS-1252", "UTF-32LE");
    return Windows1252Text(
        converter.Run(std::string_view(utf32, sizeof utf32), [](std::string_view rest, std::string& out) {
            out += '?';
            return rest.size();
        }));
}

std::string Windows1252ToUtf8(const Windows1252Text& text) {
    Converter converter("UTF-8", "WINDOWS-1252");
    return converter.Run(text.Bytes(), [](std::string_view rest, std::string& out) {
        // 0x81, 0x8D, 0x8F, 0x90 and 0x9D: U+0081 and so on, two bytes in UTF-8.
        unsigned char byte = static_cast<unsigned char>(rest[0]);
        out += static_cast<char>(0xC2);
        out += static_cast<char>(byte);
        return size_t{1};
    });
}

Windows1252Text Windows1252UpperCase(const Windows1252Text& original) {
    std::string text = original.Bytes();
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 'a' && byte <= 'z')
            c = static_cast<char>(byte - 0x20);
        else if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
            c = static_cast<char>(byte - 0x20);
        else if (byte == 0x9A || byte == 0x9C || byte == 0x9E)
            c = static_cast<char>(byte - 0x10);
        else if (byte == 0xFF)
            c = static_cast<char>(0x9F);
    }
    return Windows1252Text(text);
}
