#include "IntegerText.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

const ParseCase kCases[] = {
    {"27", 27},
    {"  27", 27},
    {"27 ", std::nullopt},
    {"+13", 13},
    {"-5", -5},
    {"", std::nullopt},
    {" ", std::nullopt},
    {"-", std::nullopt},
    {"$FF00", 65280},
    {"xff00", 65280},
    {"XFF00", 65280},
    {"0xFF00", 65280},
    {"0XfF00", 65280},
    {"$", std::nullopt},
    {"0x", std::nullopt},
    {"12a", std::nullopt},
    {"1 2", std::nullopt},
    {"2147483647", 2147483647},
    {"2147483648", std::nullopt},
    {"-2147483648", INT32_MIN},
    {"$FFFFFFFF", -1},
    {"$100000000", std::nullopt},
    {"-$10", -16},
    {"0x1g", std::nullopt},
};

TEST(ParseInteger, FollowsTheSigned32BitRules) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(ParseInteger(c.text), c.expected);
    }
}

}  // namespace
