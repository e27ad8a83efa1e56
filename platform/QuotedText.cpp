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

QuotedLiteral ReadQuotedLiteral(std::string_view text, std::size_t open) {
    const std::size_t close = text.find(text[open], open + 1);
    if (close == std::string_view::npos)
        return {std::string(text.substr(open + 1)), text.size()};
    return {std::string(text.substr(open + 1, close - open - 1)), close + 1};
}
