#include "Windows1252.h"

#include <gtest/gtest.h>

#include <sstream>
#include <type_traits>

// Neither kind of text turns into the other without a conversion or an
// explicit construction.
static_assert(!std::is_convertible_v<std::string, Windows1252Text>);
static_assert(!std::is_convertible_v<const char*, Windows1252Text>);
static_assert(!std::is_convertible_v<Windows1252Text, std::string>);

TEST(Windows1252, RoundTripsPortugueseTextAndTheEuroSign) {
    const std::string utf8 =
        "N\xC3\x83O FOI POSS\xC3\x8D"
        "VEL \xE2\x82\xAC";
    const Windows1252Text cp("N\xC3O FOI POSS\xCDVEL \x80");
    EXPECT_EQ(Utf8ToWindows1252(utf8), cp);
    EXPECT_EQ(Windows1252ToUtf8(cp), utf8);
}

TEST(Windows1252, MarksWhatTheCodePageCannotHold) {
    EXPECT_EQ(Utf8ToWindows1252("a\xE4\xB8\xAD"
                                "b"),
              Windows1252Text("a?b"));  // a CJK character
    EXPECT_EQ(Utf8ToWindows1252("a\xFF"
                                "b"),
              Windows1252Text("a?b"));                             // not UTF-8 at all
    EXPECT_EQ(Utf8ToWindows1252("a\xC3"), Windows1252Text("a?"));  // cut sequence
    EXPECT_EQ(Windows1252ToUtf8(Windows1252Text("\x81")), "\xC2\x81");
}

TEST(Windows1252, OneCodePointGivesOneByteOrAQuestionMark) {
    const struct {
        char32_t codePoint;
        std::string bytes;
    } cases[] = {
        {U'\0', std::string(1, '\0')},
        {U'A', "A"},
        {U'\u00E7', "\xE7"},
        {U'\u20AC', "\x80"},
        {U'\u4E2D', "?"},  // not in the code page
        {0xD800, "?"},     // a lone surrogate
        {0x110000, "?"},   // beyond Unicode
    };
    for (const auto& c : cases)
        EXPECT_EQ(CodePointToWindows1252(c.codePoint), Windows1252Text(c.bytes)) << static_cast<unsigned>(c.codePoint);
}

TEST(Windows1252, UpperCaseCoversAccentedLetters) {
    EXPECT_EQ(Windows1252UpperCase(Windows1252Text("a\xE7\xE3o \xE9 \xF7 \xFF")),
              Windows1252Text("A\xC7\xC3O \xC9 \xF7 \x9F"));
}

TEST(Windows1252, TestFailuresShowTheBytesEscaped) {
    std::ostringstream out;
    PrintTo(Windows1252Text("Comanda \"5\":\xC7\r"), &out);
    EXPECT_EQ(out.str(), R"(Windows-1252 "Comanda \"5\":\xC7\x0D")");
}
