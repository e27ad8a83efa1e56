#pragma once
// Texts with quoted parts ('...' or "..."), as in SQL scripts and number
// pictures: what stands between quote marks is taken literally.
#include <string>
#include <string_view>
#include <vector>

// Follows a text character by character and tells which characters stand
// outside quoted parts. A doubled quote closes and reopens, which keeps it
// inside.
class QuoteTracker {
public:
    // True when c stands outside quotes; quote marks themselves do not.
    bool Outside(char c);

private:
    char quote_ = 0;
};

// The pieces of the text between separators outside quotes, empty ones
// included; the separators themselves are dropped.
std::vector<std::string> SplitOutsideQuotes(std::string_view text, char separator);

// A quoted literal of a format picture: the text between the quote mark at
// text[open] and the next same mark, and the position just past that mark
// (the end of the text when the literal is never closed). No doubling here:
// a picture's literal ends at its first matching mark.
struct QuotedLiteral {
    std::string content;
    std::size_t next = 0;
};
QuotedLiteral ReadQuotedLiteral(std::string_view text, std::size_t open);
