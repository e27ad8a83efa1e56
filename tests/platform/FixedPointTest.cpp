#include "FixedPoint.h"

#include <gtest/gtest.h>

#include <stdexcept>

struct ScaledCase {
    std::int64_t scaled;
    int places;
    std::int64_t raw;
};

TEST(FixedPointTest, ColumnsWithMoreDecimalsRoundTiesToEven) {
    const ScaledCase cases[] = {
        {125, 5, 12},                                         // 0.00125 -> 0.0012
        {135, 5, 14},                                         // 0.00135 -> 0.0014
        {-125, 5, -12},   {126, 5, 13}, {1234567, 6, 12346},  // 1.234567
        {350, 2, 35000},                                      // 3.50
        {3500, 3, 35000},                                     // 3.500
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scaled);
        EXPECT_EQ(FixedPoint::FromScaled(c.scaled, c.places).Raw(), c.raw);
    }
}

TEST(FixedPointTest, FloatingPointResultsLandOnTheGrid) {
    EXPECT_EQ(FixedPoint::FromDouble(12.5).Raw(), 125000);
    EXPECT_EQ(FixedPoint::FromDouble(-0.1).Raw(), -1000);
    EXPECT_EQ(FixedPoint::FromDouble(1.0 / 3).Raw(), 3333);
    EXPECT_THROW(FixedPoint::FromDouble(1e16), std::out_of_range);
}

TEST(FixedPointTest, ArithmeticRoundsTiesToEven) {
    const FixedPoint price = FixedPoint::FromRaw(100050);  // 10.005
    const FixedPoint half = FixedPoint::FromRaw(5000);     // 0.5
    EXPECT_EQ((price * half).Raw(), 50025);                // 5.0025 exactly
    EXPECT_EQ((FixedPoint::FromRaw(1) * half).Raw(), 0);   // 0.00005 -> 0
    EXPECT_EQ((FixedPoint::FromRaw(3) * half).Raw(), 2);   // 0.00015 -> 0.0002
    EXPECT_EQ((FixedPoint::FromInteger(1) / FixedPoint::FromInteger(3)).Raw(), 3333);
    EXPECT_EQ((FixedPoint::FromInteger(20) * FixedPoint::FromInteger(5) / FixedPoint::FromInteger(100)).Raw(), 10000);
    EXPECT_THROW(FixedPoint::FromInteger(1) / FixedPoint(), std::domain_error);
}

TEST(FixedPointTest, ScaledToFewerPlacesRoundsTiesToEven) {
    EXPECT_EQ(FixedPoint::FromRaw(12345).ToScaled(2), 123);
    EXPECT_EQ(FixedPoint::FromRaw(12350).ToScaled(2), 124);
    EXPECT_EQ(FixedPoint::FromRaw(12250).ToScaled(2), 122);
    EXPECT_EQ(FixedPoint::FromRaw(-12250).ToScaled(2), -122);
    EXPECT_EQ(FixedPoint::FromRaw(12345).ToScaled(4), 12345);
}
