#pragma once
// Readers of a terminal command line: the command letter and its argument,
// which is everything after the first character.
#include <optional>
#include <string>
#include <string_view>

// The first character, upper-cased (c12 and C12 are the same command);
// '\0' for an empty line.
char CommandLetter(std::string_view line);

// The argument as a whole number in the 32-bit range, leading blanks and a
// sign allowed; none for anything that does not convert, including "".
std::optional<int> IntArgument(std::string_view line);

// The argument as a decimal number, "." and "," both taken as the decimal
// separator (Q1.5 and Q1,5 both give 1.5); none when it does not convert.
std::optional<double> DecimalArgument(std::string_view line);

// The argument exactly as typed.
std::string TextArgument(std::string_view line);
