#pragma once
// Numbers as Brazilian text: "," before the decimals, "." between thousands,
// money as "R$ 1.234,56". Roundings go half away from zero on the number's
// first 15 significant digits, so 2.675 shows as 2,68 with two decimals.
#include <optional>
#include <string>

// Formats with a number picture (an empty picture gives FloatToText): "0"
// a digit always shown, "#" a digit shown when significant, "." the place
// of the decimal separator, "," anywhere before it groups thousands. Up to three sections separated by ";" serve
// positive, negative and zero values (a missing or empty negative section
// means the first one with a leading "-"). Text between quotes and every
// other character are copied as they stand. A value that rounds to zero
// counts as zero.
std::string FormatFloat(const std::string& picture, double value);

// Money in the Brazilian currency format with two decimals: "R$ 1.234,56",
// "-R$ 0,50".
std::string FormatCurrency(double value);

// Plain text of a number: up to 15 significant digits, no thousands
// separators, "," before the decimals ("12,5", "-3", "1,5E20"); the
// exponent written as the edit boxes have always shown it.
std::string FloatToText(double value);

// An optional "-", digits, and at most one "," with more digits; surrounding
// blanks allowed, at least one digit required. Anything else, and a number
// too large or too small for a double, gives nothing. Narrower than the
// command arguments' reader (no "+", no exponent): each takes what its
// users have always typed.
std::optional<double> ParseFloat(const std::string& text);
