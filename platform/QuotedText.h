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
