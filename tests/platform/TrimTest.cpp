#include "Trim.h"

#include <gtest/gtest.h>

namespace {

struct TrimCase {
    std::string_view text;
    std::string_view trimmed;
    std::string_view spacesTrimmed;
};

const TrimCase kCases[] = {
    {"", "", ""},
    {"   ", "", ""},
    {"  12,5 ", "12,5", "12,5"},
    {"\t12\r\n", "12", "\t12\r\n"},
    {" \x01 a b \x7F ", "a b \x7F", "\x01 a b \x7F"},
    {" \xC3 ", "\xC3", "\xC3"},
};

TEST(Trim, BlanksAndControlsOrOnlySpacesLeaveBothEnds) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string("\"") + std::string(c.text) + "\"");
        EXPECT_EQ(quorvel::Trim(c.text), c.trimmed);
        EXPECT_EQ(quorvel::TrimSpaces(c.text), c.spacesTrimmed);
        EXPECT_EQ(quorvel::IsBlank(c.text), c.trimmed.empty());
    }
}

}  // namespace
