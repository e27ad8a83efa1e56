#include "QZ_CRIPTO.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace {

const std::string kKey = "VELASTRO";

// "masterkey" scrambled with the start value 5A: pins both the arithmetic
// and the code table, so credentials already stored keep unscrambling.
const std::string kMasterkeyHex = "5A91B7679A5391AE5B82";
const std::string kMasterkeyStored = "Y5W5R4I5R3V4B8V4R4W5Y5A5R4I5W5H6Y5R3H7M8";

std::string CharactersFrom(int first, int last) {
    std::string text;
    for (int code = first; code <= last; ++code)
        text += static_cast<char>(code);
    return text;
}

std::string HexDigitCodes() {
    std::string codes;
    for (char c : std::string("0123456789ABCDEF"))
        codes += std::string(ScrambleCodeTable[static_cast<unsigned char>(c) - 1]) + ' ';
    return codes;
}

}  // namespace

TEST(Scrambler, StoredCredentialsKeepUnscramblingTheSameWay) {
    EXPECT_EQ(ScrambleCore("D", kMasterkeyHex, kKey), "masterkey");
    EXPECT_EQ(Unscramble(kMasterkeyStored, kKey), "masterkey");
}

TEST(Scrambler, CodeTableHoldsEveryLetterDigitCodeOnce) {
    std::set<std::string_view> seen(ScrambleCodeTable.begin(), ScrambleCodeTable.end());
    EXPECT_EQ(seen.size(), 260u);
    for (std::string_view code : ScrambleCodeTable) {
        ASSERT_EQ(code.size(), 2u);
        EXPECT_TRUE(code[0] >= 'A' && code[0] <= 'Z') << code;
        EXPECT_TRUE(code[1] >= '0' && code[1] <= '9') << code;
    }
}

TEST(Scrambler, StoredFormUsesOnlyTheCodesOfHexDigits) {
    const std::string stored = Scramble("abcde", kKey);
    ASSERT_EQ(stored.size(), 24u);
    const std::string allowed = HexDigitCodes();
    for (std::size_t i = 0; i < stored.size(); i += 2)
        EXPECT_NE(allowed.find(stored.substr(i, 2) + ' '), std::string::npos) << stored.substr(i, 2);
}

TEST(Scrambler, RoundTripsTheTextsCredentialsAreMadeOf) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"one character", "x"},
        {"classic password", "masterkey"},
        {"accented letters", CharactersFrom(192, 254)},
        {"every code from 1 to 254", CharactersFrom(1, 254)},
        {"longer than many key cycles", std::string(300, 'k') + "fim"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string stored = Scramble(c.text, kKey);
        EXPECT_EQ(stored.size(), 4 + 4 * c.text.size());
        EXPECT_EQ(Unscramble(stored, kKey), c.text);
    }
}

TEST(Scrambler, SameTextScramblesDifferentlyFromRunToRun) {
    std::set<std::string> forms;
    for (int i = 0; i < 20; ++i) {
        const std::string stored = Scramble("SYSDBA", kKey);
        EXPECT_EQ(Unscramble(stored, kKey), "SYSDBA");
        forms.insert(stored);
    }
    EXPECT_GT(forms.size(), 1u);
}

TEST(Scrambler, EmptyTextsAndUnknownModesGiveEmptyResults) {
    EXPECT_EQ(Scramble("", kKey), "");
    EXPECT_EQ(Unscramble("", kKey), "");
    EXPECT_EQ(ScrambleCore("c", "segredo", kKey), "");
    EXPECT_EQ(ScrambleCore("X", kMasterkeyHex, kKey), "");
}

TEST(Scrambler, IgnoresALastOddCharacter) { EXPECT_EQ(Unscramble(Scramble("A", kKey) + "Q", kKey), "A"); }

TEST(Scrambler, RefusesStoredTextsThatAreNotScrambledCredentials) {
    const std::string gEntry(ScrambleCodeTable['G' - 1]);
    const struct {
        const char* name;
        std::string stored;
    } cases[] = {
        {"pair missing from the table", kMasterkeyStored.substr(0, 8) + "!!Y5"},
        {"pair standing for a non-hex character", kMasterkeyStored.substr(0, 4) + gEntry + "Y5"},
        {"start value only", kMasterkeyStored.substr(0, 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(Unscramble(c.stored, kKey), std::invalid_argument);
    }
}
