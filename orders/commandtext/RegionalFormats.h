#pragma once
// The Brazilian number forms the terminal replies use, fixed rather than
// taken from the machine's locale: the terminal staff read "R$ 1.234,50"
// and "1,5" whatever the computer is set to. Reading works the same way:
// "," is the decimal separator.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A decimal number with "," as the separator: blanks around it, an optional
// sign, digits with at most one ",", an optional exponent ("1,5E2").
// Anything else, including "" and "1.5", gives no value. Wider than the
// edit boxes' reader: each takes what its users have always typed.
std::optional<double> ParseDecimal(std::string_view text);

// Money given in ten-thousandths, shown with two decimals (rounded half away
// from zero), "." between thousands: "R$ 1.234,50", "-R$ 0,75".
std::string FormatMoney(std::int64_t tenThousandths);

// The shortest general form with up to 15 significant digits and a decimal
// comma: 1,5 / 2 / 0,25.
std::string FormatQuantity(double quantity);
