#include "RegionalFormats.h"

#include <gtest/gtest.h>

TEST(RegionalFormats, MoneyInBrazilianCurrencyForm) {
    const struct {
        std::int64_t raw;
        const char* text;
    } cases[] = {
        {12345000, "R$ 1.234,50"}, {0, "R$ 0,00"},      {50, "R$ 0,01"},  // half a cent rounds up
        {49, "R$ 0,00"},           {-7500, "-R$ 0,75"}, {10000000000000, "R$ 1.000.000.000,00"},
        {1000000, "R$ 100,00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(FormatMoney(c.raw), c.text);
    }
}

TEST(RegionalFormats, QuantityInShortestFormWithDecimalComma) {
    const struct {
        double quantity;
        const char* text;
    } cases[] = {
        {1.5, "1,5"},         {2, "2"},           {0.25, "0,25"},
        {0.1, "0,1"},         {12.345, "12,345"}, {1.0 / 3, "0,333333333333333"},
        {1234567, "1234567"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quantity);
        EXPECT_EQ(FormatQuantity(c.quantity), c.text);
    }
}

TEST(RegionalFormats, ReadsDecimalsWithCommaSeparator) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1,5", 1.5}, {"  2 ", 2}, {"-0,25", -0.25}, {"+3", 3},
        {",5", 0.5},  {"5,", 5},   {"001250", 1250}, {"1,5E2", 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto value = ParseDecimal(c.text);
        ASSERT_TRUE(value.has_value());
        EXPECT_DOUBLE_EQ(*value, c.value);
    }
    for (const char* text : {"", " ", "1.5", "1,5,0", "abc", "1 5", ",", "-", "1E", "12a", "1E999"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseDecimal(text).has_value());
    }
}
