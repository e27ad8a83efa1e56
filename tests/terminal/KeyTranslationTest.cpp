#include "FakeServicePanel.h"
#include "KeyTranslation.h"

#include <gtest/gtest.h>

namespace {

struct LetterCase {
    const char* box;
    char letter;
    const char* appended;
    bool completes;
};

const LetterCase kLetters[] = {
    {"", 'A', "A", false},           {" \t ", 'A', "A", false}, {"  25  ", 'A', "25", false},
    {"2526#13", 'A', "2526", true},  {"#13", 'A', "", true},    {"12#1334", 'D', "1234", true},
    {"#13 7 #13", 'E', " 7 ", true}, {"13", 'F', "13", false},
};

TEST(MapLetterKey, TrimsTheBoxAndTurnsEvery13MarkIntoEnter) {
    for (const auto& c : kLetters) {
        SCOPED_TRACE(c.box);
        std::uint16_t code = static_cast<std::uint16_t>(c.letter);
        EXPECT_EQ(MapLetterKey(c.letter, c.box, code), c.appended);
        EXPECT_EQ(code, c.completes ? kEnterKey : c.letter);
    }
}

struct CodeCase {
    const char* box;
    std::uint16_t code;
    bool matches;
};

const CodeCase kCodes[] = {
    {"27", 27, true},       {" 27", 27, true},  {"27 ", 27, false}, {"", 0, false},       {"+27", 27, true},
    {"$1B", 27, true},      {"0x1b", 27, true}, {"x1B", 27, true},  {"-1", 65535, false}, {"$FF00", 65280, true},
    {"65280", 65280, true}, {"27a", 27, false}, {"200", 27, false},
};

TEST(MatchesSpecialCode, ComparesTheBoxAsASigned32BitInteger) {
    for (const auto& c : kCodes) {
        SCOPED_TRACE(std::string("\"") + c.box + "\" vs " + std::to_string(c.code));
        EXPECT_EQ(MatchesSpecialCode(c.box, c.code), c.matches);
    }
}

class KeyTranslationTest : public ::testing::Test {
protected:
    // Translates the codes one after the other; returns the command line.
    std::string Translate(std::initializer_list<std::uint16_t> codes) {
        for (std::uint16_t code : codes) {
            lastCode = code;
            TranslateKey(lastCode, mapping, commandLine, [this] { ++promptsShown; });
        }
        return commandLine;
    }

    FakeServicePanel mapping;
    std::string commandLine;
    std::uint16_t lastCode = 0;
    int promptsShown = 0;
};

TEST_F(KeyTranslationTest, AppendsDigitsPunctuationAndMappedLettersOfEitherCase) {
    mapping.letters['A' - 'A'] = "2526#13";
    mapping.letters['C' - 'A'] = "";
    EXPECT_EQ(Translate({'c', '5', ',', '.', 'x'}), "C5,.X");
    EXPECT_EQ(Translate({'a'}), "C5,.X2526");
    EXPECT_EQ(lastCode, kEnterKey);
}

TEST_F(KeyTranslationTest, EveryMatchingPairActsInPairOrder) {
    mapping.specialCodes = {"27", "200", "$C8", "48", "", "", "", "200"};
    mapping.specialActions = {7, 0, 1, 6, -1, -1, -1, 9};
    mapping.letters['C' - 'A'] = "99";  // the fixed letters bypass the mapping
    EXPECT_EQ(Translate({200}), "CR");
    EXPECT_EQ(Translate({'0'}), "CR0");  // 48 is the digit: never a special code
    EXPECT_EQ(Translate({0}), "CR0");
    EXPECT_EQ(promptsShown, 0);
}

TEST_F(KeyTranslationTest, EachActionAppendsItsLetterAndActionSevenClears) {
    const char* const expected[] = {"C", "R", "B", "U", "T", "Q", "V", "", "S", "", ""};
    const int actions[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 9};
    for (size_t i = 0; i < std::size(actions); ++i) {
        SCOPED_TRACE(actions[i]);
        commandLine = "";
        promptsShown = 0;
        mapping.specialCodes[1] = "300";
        mapping.specialActions[1] = actions[i];
        EXPECT_EQ(Translate({300}), expected[i]);
        EXPECT_EQ(promptsShown, actions[i] == 7 ? 1 : 0);
    }
    commandLine = "C12";
    Translate({27});
    EXPECT_EQ(commandLine, "");
    EXPECT_EQ(promptsShown, 1);
}

TEST_F(KeyTranslationTest, EnterAndTheEndCodeAreOfferedToThePairs) {
    mapping.specialCodes[1] = "13";
    mapping.specialActions[1] = 0;
    mapping.specialCodes[2] = "$FF00";
    mapping.specialActions[2] = 6;
    EXPECT_EQ(Translate({65280, 13}), "VC");
    EXPECT_EQ(lastCode, kEnterKey);
}

}  // namespace
