#include "FixedPoint.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// numerator / denominator rounded to the nearest integer, ties to even.
__int128 DivideTiesToEven(__int128 numerator, __int128 denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    __int128 quotient = numerator / denominator;
    __int128 remainder = numerator % denominator;
    if (remainder < 0) {  // floor division
        quotient -= 1;
        remainder += denominator;
    }
    const __int128 twice = remainder * 2;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += 1;
    return quotient;
}

std::int64_t Checked(__int128 value) {
    if (value > std::numeric_limits<std::int64_t>::max() || value < std::numeric_limits<std::int64_t>::min())
        throw std::out_of_range("fixed-point value out of range");
    return static_cast<std::int64_t>(value);
}

__int128 PowerOfTen(int exponent) {
    __int128 power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

}  // namespace

FixedPoint FixedPoint::FromScaled(std::int64_t scaled, int places) {
    if (places <= kPlaces)
        return FixedPoint(Checked(static_cast<__int128>(scaled) * PowerOfTen(kPlaces - places)));
    return FixedPoint(Checked(DivideTiesToEven(scaled, PowerOfTen(places - kPlaces))));
}

FixedPoint FixedPoint::FromDouble(long double value) {
    const long double scaled = value * kScale;
    if (!(std::fabs(scaled) < 9.2e18L))
        throw std::out_of_range("fixed-point value out of range");
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const long double rounded = std::nearbyint(scaled);
    std::fesetround(previous);
    return FixedPoint(static_cast<std::int64_t>(rounded));
}

std::int64_t FixedPoint::ToScaled(int places) const {
    if (places < 0 || places > kPlaces)
        throw std::out_of_range("decimal places out of range");
    return Checked(DivideTiesToEven(raw_, PowerOfTen(kPlaces - places)));
}

FixedPoint FixedPoint::operator*(FixedPoint other) const {
    return FixedPoint(Checked(DivideTiesToEven(static_cast<__int128>(raw_) * other.raw_, kScale)));
}

FixedPoint FixedPoint::operator/(FixedPoint other) const {
    if (other.raw_ == 0)
        throw std::domain_error("division by zero");
    return FixedPoint(Checked(DivideTiesToEven(static_cast<__int128>(raw_) * kScale, other.raw_)));
}
