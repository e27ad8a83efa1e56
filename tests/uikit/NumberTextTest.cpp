#include "NumberText.h"

#include <gtest/gtest.h>

struct PictureCase {
    const char* picture;
    double value;
    const char* text;
};

TEST(NumberText, FormatsWithPictures) {
    const PictureCase cases[] = {
        {"0", 9200, "9200"},
        {"0", -3, "-3"},
        {"0", 2.5, "3"},  // half away from zero
        {"0.##", 12.5, "12,5"},
        {"0.##", 12, "12"},
        {"0.##", 0.004, "0"},
        {"0.00", 2.675, "2,68"},  // decided on 15 digits, not on the binary value
        {"0.00", 1234.567, "1234,57"},
        {"0.00", -0.001, "0,00"},  // rounds to zero: no sign
        {"0.00", 9.999, "10,00"},
        {"#,##0.00", 1234567.891, "1.234.567,89"},
        {"#,##0", 999, "999"},
        {"0.00 %;-0.00%", 12.5, "12,50 %"},
        {"0.00 %;-0.00%", -12.5, "-12,50%"},
        {"0.00;(0.00);zero", 0, "zero"},
        {"\"R$\" 0.00", 3, "R$ 3,00"},
        {"", 12.5, "12,5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " / " + std::to_string(c.value));
        EXPECT_EQ(FormatFloat(c.picture, c.value), c.text);
    }
}

TEST(NumberText, FormatsMoneyAndPlainNumbers) {
    EXPECT_EQ(FormatCurrency(1234.561), "R$ 1.234,56");
    EXPECT_EQ(FormatCurrency(0), "R$ 0,00");
    EXPECT_EQ(FormatCurrency(-0.5), "-R$ 0,50");
    EXPECT_EQ(FormatCurrency(1e6), "R$ 1.000.000,00");
    EXPECT_EQ(FloatToText(12.5), "12,5");
    EXPECT_EQ(FloatToText(-3), "-3");
    EXPECT_EQ(FloatToText(0.1 + 0.2), "0,3");
    EXPECT_EQ(FloatToText(1.5e20), "1,5E20");
    EXPECT_EQ(FloatToText(1e-7), "1E-7");
}

TEST(NumberText, ParsesBrazilianNumbersOnly) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"12", 12.0},
        {"-12,5", -12.5},
        {" 0,25 ", 0.25},
        {",5", 0.5},
        {"5,", 5.0},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"12-3", std::nullopt},
        {"1,2,3", std::nullopt},
        {"12.5", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseFloat(text), value);
    }
}
