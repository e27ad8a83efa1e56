#pragma once
// Text in the Windows-1252 code page, the bytes the terminal's display and
// keys, the key log and the shop database hold. A type of its own, so that
// UTF-8 text (Qt's strings, the status panel, error messages) cannot go
// where Windows-1252 is expected, nor the other way round, without either a
// conversion (Utf8ToWindows1252, Windows1252ToUtf8) or a visible
// construction from bytes that are Windows-1252 already.
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

class Windows1252Text {
public:
    Windows1252Text() = default;
    // Takes the bytes as they are; they must be Windows-1252 already (a
    // literal written with "\xE7" escapes, plain ASCII, bytes read from the
    // terminal or the store).
    explicit Windows1252Text(std::string bytes) : bytes_(std::move(bytes)) {}
    explicit Windows1252Text(std::string_view bytes) : bytes_(bytes) {}
    explicit Windows1252Text(const char* bytes) : bytes_(bytes) {}

    // The bytes, for code that works on them (building a reply, a file, a
    // call of the terminal library).
    const std::string& Bytes() const { return bytes_; }
    bool empty() const { return bytes_.empty(); }
    std::size_t size() const { return bytes_.size(); }

    Windows1252Text& operator+=(const Windows1252Text& more) {
        bytes_ += more.bytes_;
        return *this;
    }
    friend Windows1252Text operator+(Windows1252Text left, const Windows1252Text& right) {
        left += right;
        return left;
    }
    friend bool operator==(const Windows1252Text&, const Windows1252Text&) = default;

private:
    std::string bytes_;
};

// For test failures: the bytes in quotes, those outside printable ASCII as
// "\xE7" escapes, quotes and backslashes escaped.
void PrintTo(const Windows1252Text& text, std::ostream* out);
