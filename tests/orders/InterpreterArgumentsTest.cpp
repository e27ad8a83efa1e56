#include "InterpreterArguments.h"

#include <gtest/gtest.h>

#include <optional>

TEST(InterpreterArguments, LetterIsTheFirstCharacterUpperCased) {
    EXPECT_EQ(CommandLetter("c12"), 'C');
    EXPECT_EQ(CommandLetter("Q0,5"), 'Q');
    EXPECT_EQ(CommandLetter("7891000100103"), '7');
    EXPECT_EQ(CommandLetter("\xE7"
                            "1"),
              '\xE7');  // only a-z change
    EXPECT_EQ(TextArgument("T02"), "02");
    EXPECT_EQ(TextArgument("V"), "");
}

TEST(InterpreterArguments, WholeNumberOrNone) {
    constexpr std::nullopt_t none = std::nullopt;
    const struct {
        const char* line;
        std::optional<int> value;
    } cases[] = {
        {"C12", 12},
        {"C007", 7},
        {"C-3", -3},
        {"C+4", 4},
        {"C  5", 5},
        {"C2147483647", 2147483647},
        {"C-2147483648", -2147483647 - 1},
        {"C2147483648", none},
        {"C", none},
        {"Cxy", none},
        {"C5 ", none},
        {"C1,5", none},
        {"C+-4", none},
        {"C0x10", none},
        {"R7891000100103", none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(IntArgument(c.line), c.value);
    }
}

TEST(InterpreterArguments, DecimalTakesFullStopOrCommaOrGivesNone) {
    constexpr std::nullopt_t none = std::nullopt;
    const struct {
        const char* line;
        std::optional<double> value;
    } cases[] = {
        {"Q1.5", 1.5}, {"Q1,5", 1.5}, {"Q0,5", 0.5}, {"Q1.250", 1.25}, {"Q2", 2},        {"q 3 ", 3},
        {"Q-1", -1},   {"Q0", 0},     {"Qx", none},  {"Q", none},      {"Q1.2.3", none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<double> read = DecimalArgument(c.line);
        ASSERT_EQ(read.has_value(), c.value.has_value());
        if (read) {
            EXPECT_DOUBLE_EQ(*read, *c.value);
        }
    }
}
