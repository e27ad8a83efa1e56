#include "QuotedText.h"

bool QuoteTracker::Outside(char c) {
    if (quote_) {
        if (c == quote_)
            quote_ = 0;
        return false;
    }
    if (c == '\'' || c == '"') {
        quote_ = c;
        return false;
    }
    return true;
}

std::vector<std::string> SplitOutsideQuotes(std::string_view text, char separator) {
    std::vector<std::string> pieces(1);
    QuoteTracker quotes;
    for (char c : text) {
        if (quotes.Outside(c) && c == separator)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}
