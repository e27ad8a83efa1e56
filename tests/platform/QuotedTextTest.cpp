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

struct LiteralCase {
    std::string_view text;
    std::size_t open;
    std::string content;
    std::size_t next;
};

const LiteralCase kLiterals[] = {
    {"'R$ '#,##0", 0, "R$ ", 5},
    {"dd\"h\"mm", 2, "h", 5},
    {"0'a\"b'0", 1, "a\"b", 6},
    {"''x", 0, "", 2},
    {"0'never closed", 1, "never closed", 14},
};

TEST(ReadQuotedLiteral, TakesTheTextUpToTheSameMarkOrTheEnd) {
    for (const auto& c : kLiterals) {
        SCOPED_TRACE(std::string(c.text));
        const QuotedLiteral literal = ReadQuotedLiteral(c.text, c.open);
        EXPECT_EQ(literal.content, c.content);
        EXPECT_EQ(literal.next, c.next);
    }
}

}  // namespace
