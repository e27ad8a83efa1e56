#pragma once
// Money and quantities as exact fixed-point numbers with four decimal places:
// the value times 10000 held in a 64-bit integer. Every conversion into this
// grid (from a floating-point result, from a column with more decimals, from
// a product or quotient) rounds to the nearest step, ties to even.
#include <compare>
#include <cstdint>

class FixedPoint {
public:
    static constexpr int kPlaces = 4;
    static constexpr std::int64_t kScale = 10000;

    constexpr FixedPoint() = default;

    // The value whose raw form (value times 10000) is given.
    static constexpr FixedPoint FromRaw(std::int64_t raw) { return FixedPoint(raw); }
    static constexpr FixedPoint FromInteger(std::int64_t whole) { return FixedPoint(whole * kScale); }
    // A scaled integer with the given number of decimal places (a NUMERIC
    // column's stored form), rounded to four places when it has more.
    static FixedPoint FromScaled(std::int64_t scaled, int places);
    // value times 10000, rounded to the nearest integer, ties to even.
    // Throws std::out_of_range for values that do not fit (and NaN).
    static FixedPoint FromDouble(long double value);

    constexpr std::int64_t Raw() const { return raw_; }
    long double ToDouble() const { return static_cast<long double>(raw_) / kScale; }
    // The value rounded to the given number of decimal places (0 to 4), ties
    // to even, as a scaled integer with that many places.
    std::int64_t ToScaled(int places) const;

    FixedPoint operator+(FixedPoint other) const { return FixedPoint(raw_ + other.raw_); }
    FixedPoint operator-(FixedPoint other) const { return FixedPoint(raw_ - other.raw_); }
    FixedPoint operator-() const { return FixedPoint(-raw_); }
    // Product and quotient rounded back onto the grid, ties to even. Division
    // by zero throws std::domain_error.
    FixedPoint operator*(FixedPoint other) const;
    FixedPoint operator/(FixedPoint other) const;

    constexpr auto operator<=>(const FixedPoint&) const = default;

private:
    constexpr explicit FixedPoint(std::int64_t raw) : raw_(raw) {}
    std::int64_t raw_ = 0;
};
