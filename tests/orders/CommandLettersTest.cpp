#include "CommandLetters.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandLetters, AreExactlyTheEightUpperCaseLetters) {
    std::string letters;
    for (int c = 0; c < 256; ++c)
        if (IsCommandLetter(static_cast<char>(c)))
            letters += static_cast<char>(c);
    EXPECT_EQ(letters, "BCQRSTUV");
}
