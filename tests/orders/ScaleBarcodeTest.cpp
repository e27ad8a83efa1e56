#include "ScaleBarcode.h"

#include <gtest/gtest.h>

namespace {

using enum TScaleLabelKind;

// Prefix 2, code 00150, value 001250, check digit 7.
const char* const kLabel = "2001500012507";

struct LabelCase {
    const char* pattern;
    const char* label;
    const char* code;
    double value;
    TScaleLabelKind kind;
};

void ExpectDecodes(const LabelCase& c) {
    SCOPED_TRACE(std::string(c.pattern) + " / " + c.label);
    TScaleLabel result{"untouched", 1, slQuantity};
    ASSERT_TRUE(DecodeScaleBarcode(c.label, c.pattern, result));
    EXPECT_EQ(result.code, c.code);
    EXPECT_DOUBLE_EQ(result.value, c.value);
    EXPECT_EQ(result.kind, c.kind);
}

}  // namespace

TEST(ScaleBarcode, ReadsCodeAndValueThroughTheTemplate) {
    const LabelCase cases[] = {
        {"D2PPPPPQQQQQQX", kLabel, "150", 12.5, slQuantity},  // flag shifts the fields
        {"2PPPPPQQQQQQX", kLabel, "15", 12.5, slQuantity},
        {"$#2PPPPPQQQQQQ", "200150001250", "15", 1.25, slPrice},
        {"#2PPPPPQQQQQQX", "2001500012507", "15", 1.25, slQuantity},
        {"2PPPPPQQQQQQ", "2001500012", "15", 0.12, slQuantity},  // short label, short value
        {"", kLabel, "0", 0, slQuantity},
        {"2XXXXXQQQQQQX", kLabel, "0", 12.5, slQuantity},  // no code positions
        {"2PPPPPXXXXXXX", kLabel, "15", 0, slQuantity},    // no value positions
        {"DPPPPP", "54321", "54321", 0.05, slQuantity},    // flag without Q: first character
    };
    for (const auto& c : cases)
        ExpectDecodes(c);
}

TEST(ScaleBarcode, DropsOrKeepsTheZerosOfTheCode) {
    const LabelCase cases[] = {
        {"PPPPP", "00150", "15", 0, slQuantity},
        {"DPPPPPP", "00150", "150", 0, slQuantity},
        {"EPPPPPP", "00150", "0015", 0, slQuantity},
        {"DEPPPPPPP", "00150", "00150", 0, slQuantity},
        {"PPPPPPP", "0105020", "10502", 0, slQuantity},  // inner zeros stay
        {"PPPP", "0000", "0", 0, slQuantity},
        {"PPPPP", "1DE05", "10005", 0, slQuantity},  // letters D and E count as zeros
    };
    for (const auto& c : cases)
        ExpectDecodes(c);
}

TEST(ScaleBarcode, ValueThatIsNoNumberKeepsTheCallersValueAndKind) {
    const struct {
        const char* pattern;
        const char* label;
        const char* code;
    } cases[] = {
        {"$PPPPPQQQQ", "00150AB12", "00150"},  // letters in the value
        {"PPPPPQQQQ", "00150", "00150"},       // value wholly past the label
        {"$PPQQ", "0A0B", "0A"},               // flag without shortening the code
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        TScaleLabel result{"whole line", 1, slQuantity};
        EXPECT_FALSE(DecodeScaleBarcode(c.label, c.pattern, result));
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.value, 1);
        EXPECT_EQ(result.kind, slQuantity);
    }
}
