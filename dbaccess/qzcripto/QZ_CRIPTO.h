#pragma once
// Reversible scrambling of the database credentials kept in the settings
// files. A random start value makes the same text scramble differently each
// time; the hexadecimal form is then disguised letter-digit code by code.
// Texts are 8-bit (Windows-1252 bytes); key characters are used by their
// byte values. Every caller passes the same fixed key.
#include <array>
#include <string>
#include <string_view>

// The 260 letter-digit codes, each exactly once. Entry n (1 to 260) stands
// for the character whose code is n; it is stored at index n - 1. This order
// is key material: stored credentials unscramble only with it.
extern const std::array<std::string_view, 260> ScrambleCodeTable;

// Mode "C" turns a clear text into its hexadecimal form (two upper-case hex
// digits for the start value, then two per character); mode "D" turns such
// a form back into clear text. Any other mode, or an empty text, gives "".
// Mode "D" throws std::invalid_argument for a group that is not hexadecimal
// (including a form that holds the start value only).
std::string ScrambleCore(std::string_view mode, std::string_view text, std::string_view key);

// The stored form: ScrambleCore "C" with every hex digit replaced by its
// code from ScrambleCodeTable. n characters give 4 + 4n; "" gives "".
std::string Scramble(std::string_view text, std::string_view key);

// Back from the stored form. A last odd character is ignored; a pair not in
// the table makes the conversion fail with std::invalid_argument.
std::string Unscramble(std::string_view stored, std::string_view key);
