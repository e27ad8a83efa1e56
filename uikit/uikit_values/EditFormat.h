#pragma once
// What a typed edit box does with its value apart from the window: the
// formats and input mask of each edit style, the text shown for a value and
// the value read back from the text. Text is Windows-1252.
#include "EditValue.h"

#include <cstdint>
#include <string>

enum TQZEditStyles : std::uint8_t {
    esText = 0,
    esDate = 1,
    esTime = 2,
    esCurrency = 3,
    esPercent = 4,
    esGeneralNumeric = 5,
    esInteger = 6,
};

// The formats a change of style installs.
struct TEditStyleFormats {
    const char* EditFormat;   // while the box has the focus
    const char* EditDisplay;  // while it does not
};
TEditStyleFormats DefaultFormats(TQZEditStyles style);

// The input mask for an editing format: for dates and times every D, M, Y,
// H, N, S and Z (upper case) becomes the optional digit "9", with "!" ahead
// and ";1; " behind ("DD/MM/YYYY" gives "!99/99/9999;1; "); other styles
// have no mask (empty text).
std::string InputMaskFor(TQZEditStyles style, const std::string& editFormat);

// The same mask in Qt's input-mask notation ("00/00/0000; "): "9" becomes
// Qt's optional digit, every other character is a literal.
std::string QtInputMask(const std::string& inputMask);

// The text with every character the style does not read dropped: dates keep
// digits, "/" and "-"; times digits, ":" and "-"; the numeric styles digits,
// "," and "-" (integers without ","), so "R$ 1.234,56" reads as 1234,56.
// Text keeps everything.
std::string KeptCharacters(TQZEditStyles style, const std::string& text);

// A date box counts 0 as no value; any other box only null.
bool HasValue(TQZEditStyles style, const TEditValue& value);

// The text for the value in the given format (the editing format while the
// box has the focus, else the display format). Dates and times without a
// value show empty; numbers without one show 0; money without the focus
// shows in the currency format. A value that cannot be read as the style's
// kind shows as if it were null.
std::string FormatValue(TQZEditStyles style, const std::string& format, bool focused, const TEditValue& value);

// The value the text stands for: a date-time or a number read from the kept
// characters, the text itself for esText; null when it does not read.
TEditValue TextToValue(TQZEditStyles style, const std::string& text);

// The value as a 32-bit integer (rounded, ties to even): null gives 0; a
// value that does not convert gives the integer of TextToValue of the text,
// and 0 when that fails too.
std::int32_t ValueAsInteger(TQZEditStyles style, const TEditValue& value, const std::string& text);
