#include "BrazilianNumbers.h"

#include <gtest/gtest.h>

TEST(BrazilianNumbers, GroupsThousandsWithPointsAndMoneyWithComma) {
    const std::pair<std::string_view, std::string_view> groups[] = {
        {"0", "0"}, {"123", "123"}, {"1234", "1.234"}, {"123456", "123.456"}, {"1234567", "1.234.567"}};
    for (const auto& [digits, grouped] : groups)
        EXPECT_EQ(GroupThousands(digits), grouped) << digits;
    EXPECT_EQ(MoneyText(false, "1234", "50"), "R$ 1.234,50");
    EXPECT_EQ(MoneyText(true, "0", "75"), "-R$ 0,75");
}
