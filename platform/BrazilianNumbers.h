#pragma once
// The pieces of Brazilian number text that replies and edit boxes share,
// fixed rather than taken from the machine's locale: "," before the
// decimals, "." between thousands, money as "R$ 1.234,50".
#include <string>
#include <string_view>

constexpr char kDecimalComma = ',';
constexpr char kThousandsPoint = '.';

// Whole digits with "." between each group of three: "1234567" gives "1.234.567".
std::string GroupThousands(std::string_view digits);

// Money text from its whole digits and its two decimal digits, already
// rounded: "R$ 1.234,50", or "-R$ 0,75" when negative.
std::string MoneyText(bool negative, std::string_view wholeDigits, std::string_view cents);
