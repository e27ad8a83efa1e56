#include "InterpreterArguments.h"

#include <gtest/gtest.h>

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

TEST(InterpreterArguments, WholeNumberOrMinusOne) {
    const struct {
        const char* line;
        int value;
    } cases[] = {
        {"C12", 12},
        {"C007", 7},
        {"C-3", -3},
        {"C+4", 4},
        {"C  5", 5},
        {"C2147483647", 2147483647},
        {"C-2147483648", -2147483647 - 1},
        {"C2147483648", -1},
        {"C", -1},
        {"Cxy", -1},
        {"C5 ", -1},
        {"C1,5", -1},
        {"C+-4", -1},
        {"C0x10", -1},
        {"R7891000100103", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(IntArgument(c.line), c.value);
    }
}

TEST(InterpreterArguments, DecimalTakesFullStopOrCommaOrGivesMinusOne) {
    const struct {
        const char* line;
        double value;
    } cases[] = {
        {"Q1.5", 1.5}, {"Q1,5", 1.5}, {"Q0,5", 0.5}, {"Q1.250", 1.25}, {"Q2", 2},      {"q 3 ", 3},
        {"Q-1", -1},   {"Q0", 0},     {"Qx", -1},    {"Q", -1},        {"Q1.2.3", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_DOUBLE_EQ(DecimalArgument(c.line), c.value);
    }
}
