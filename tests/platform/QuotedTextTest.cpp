#include "QuotedText.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    std::string_view text;
    std::vector<std::string> pieces;
};

const SplitCase kCases[] = {
    {"", {""}},
    {";", {"", ""}},
    {"#,##0;-#,##0;", {"#,##0", "-#,##0", ""}},
    {"'a;b';c", {"'a;b'", "c"}},
    {"\"x;'\";y", {"\"x;'\"", "y"}},
    {"'it''s;x';z", {"'it''s;x'", "z"}},
    {"'open;never closed", {"'open;never closed"}},
};

TEST(SplitOutsideQuotes, SeparatorsInsideEitherQuoteStay) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(SplitOutsideQuotes(c.text, ';'), c.pieces);
    }
}

}  // namespace
