#pragma once
// Text to a signed 32-bit integer, the conversion used for special key codes
// and for integers read from INI files: leading blanks skipped, an optional
// "+" or "-", then decimal digits, or hexadecimal digits after a "$", "x" or
// "0x" prefix (x in either case). Any other character, trailing blanks
// included, an empty text or a decimal number out of range fails. Hexadecimal
// takes up to 32 bits and wraps into the signed range ("$FFFFFFFF" is -1).
#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::int32_t> ParseInteger(std::string_view text);
