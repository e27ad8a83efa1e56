#include "Windows1252.h"

#include <gtest/gtest.h>

TEST(Windows1252, RoundTripsPortugueseTextAndTheEuroSign) {
    const std::string utf8 = "N\xC3\x83O FOI POSS\xC3\x8D" "VEL \xE2\x82\xAC";
    const std::string cp = "N\xC3O FOI POSS\xCDVEL \x80";
    EXPECT_EQ(Utf8ToWindows1252(utf8), cp);
    EXPECT_EQ(Windows1252ToUtf8(cp), utf8);
}

TEST(Windows1252, MarksWhatTheCodePageCannotHold) {
    EXPECT_EQ(Utf8ToWindows1252("a\xE4\xB8\xAD" "b"), "a?b");   // a CJK character
    EXPECT_EQ(Utf8ToWindows1252("a\xFF" "b"), "a?b");           // not UTF-8 at all
    EXPECT_EQ(Utf8ToWindows1252("a\xC3"), "a?");                 // cut sequence
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");
}

TEST(Windows1252, UpperCaseCoversAccentedLetters) {
    EXPECT_EQ(Windows1252UpperCase("a\xE7\xE3o \xE9 \xF7 \xFF"), "A\xC7\xC3O \xC9 \xF7 \x9F");
}
