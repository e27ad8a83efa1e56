#pragma once
// Conversion between UTF-8 and the 8-bit Windows-1252 code page used by the
// terminal's display and by the shop database (lc_ctype=win1252).
#include "Windows1252Text.h"

#include <string>
#include <string_view>

// UTF-8 to Windows-1252; characters the code page lacks become "?" and
// malformed UTF-8 bytes become "?" too.
Windows1252Text Utf8ToWindows1252(std::string_view utf8);

// One Unicode character to Windows-1252: its byte, or "?" when the code
// page lacks it (a lone surrogate included).
Windows1252Text CodePointToWindows1252(char32_t codePoint);

// Windows-1252 to UTF-8; the five bytes the code page leaves undefined map to
// the control characters of the same number, as Windows does.
std::string Windows1252ToUtf8(const Windows1252Text& text);

// Upper case in the Windows-1252 code page (accented letters included).
Windows1252Text Windows1252UpperCase(const Windows1252Text& text);
