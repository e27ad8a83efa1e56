#include "BrazilianNumbers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(BrazilianNumbers, GroupsThousandsWithPointsAndMoneyWithComma) {
    const std::pair<std::string_view, std::string_view> groups[] = {
        {"0", "0"}, {"123", "123"}, {"1234", "1.234"}, {"123456", "123.456"}, {"1234567", "1.234.567"}};
    for (const auto& [digits, grouped] : groups)
        EXPECT_EQ(GroupThousands(digits), grouped) << digits;
    EXPECT_EQ(MoneyText(false, "1234", "50"), "R$ 1.234,50");
    EXPECT_EQ(MoneyText(true, "0", "75"), "-R$ 0,75");
}

TEST(BrazilianNumbers, ReadsCommaDecimalsInTheFormsAsked) {
    const CommaDecimalForms plain{};
    const CommaDecimalForms signedWithExponent{.plusSign = true, .exponent = true};
    const std::string tooLarge(400, '9');
    const struct {
        const char* text;
        std::optional<double> plainValue;
        std::optional<double> signedWithExponentValue;
    } cases[] = {
        {" -12,5 ", -12.5, -12.5},
        {"+3", std::nullopt, 3.0},
        {"1,5E2", std::nullopt, 150.0},
        {"1,5e-1", std::nullopt, 0.15},
        {"1E", std::nullopt, std::nullopt},
        {"1.5", std::nullopt, std::nullopt},
        {"1,2,3", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"1E999", std::nullopt, std::nullopt},
        // Too large for a double: no value rather than infinity.
        {tooLarge.c_str(), std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseCommaDecimal(c.text, plain), c.plainValue);
        EXPECT_EQ(ParseCommaDecimal(c.text, signedWithExponent), c.signedWithExponentValue);
    }
}

TEST(BrazilianNumbers, WritesFifteenSignificantDigitsInEitherExponentStyle) {
    const struct {
        double value;
        const char* lowerCaseSigned;
        const char* upperCaseShort;
    } cases[] = {
        {12.5, "12,5", "12,5"},        {-3, "-3", "-3"},        {1.0 / 3, "0,333333333333333", "0,333333333333333"},
        {1.5e20, "1,5e+20", "1,5E20"}, {1e-7, "1e-07", "1E-7"}, {1e100, "1e+100", "1E100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(SignificantDigitsText(c.value, ExponentStyle::kLowerCaseSigned), c.lowerCaseSigned);
        EXPECT_EQ(SignificantDigitsText(c.value, ExponentStyle::kUpperCaseShort), c.upperCaseShort);
    }
}
