#pragma once
// The pieces of Brazilian number text that replies and edit boxes share,
// fixed rather than taken from the machine's locale: "," before the
// decimals, "." between thousands, money as "R$ 1.234,50".
#include <optional>
#include <string>
#include <string_view>

constexpr char kDecimalComma = ',';
constexpr char kThousandsPoint = '.';

// Whole digits with "." between each group of three: "1234567" gives "1.234.567".
std::string GroupThousands(std::string_view digits);

// A number's digits on either side of the decimal separator, once rounded.
struct RoundedDecimal {
    std::string whole;     // without leading zeros; empty for 0
    std::string fraction;  // exactly the decimals asked for
    bool IsZero() const { return whole.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

// |value| rounded to `decimals` places, half away from zero, working on the
// value's first 15 significant digits (so 2.675 gives 2 and 68).
RoundedDecimal RoundHalfAwayFromZero(double value, int decimals);

// Money text from its whole digits and its two decimal digits, already
// rounded: "R$ 1.234,50", or "-R$ 0,75" when negative.
std::string MoneyText(bool negative, std::string_view wholeDigits, std::string_view cents);

// What a comma-decimal reader takes besides blanks around the number, an
// optional "-", and digits with at most one "," (at least one digit).
struct CommaDecimalForms {
    bool plusSign = false;  // a leading "+" as well
    bool exponent = false;  // "E" or "e", an optional sign and digits: "1,5E2"
};

// The number the text holds in those forms; nothing for any other text, and
// for a number too large or too small for a double.
std::optional<double> ParseCommaDecimal(std::string_view text, CommaDecimalForms forms);

// How SignificantDigitsText writes an exponent (and infinity and NaN).
enum class ExponentStyle {
    kLowerCaseSigned,  // "1,5e+20", "1e-05", "inf"
    kUpperCaseShort,   // "1,5E20", "1E-5", "INF"
};

// The shortest general form of the value with up to 15 significant digits,
// "," before the decimals: 1,5 / 2 / 0,25; large and small values with an
// exponent.
std::string SignificantDigitsText(double value, ExponentStyle style);
