#pragma once
// The colours of one day cell of the date popup. Colours are BBGGRR
// (0000FF is red).
#include "QZ_COLORS.h"

#include <optional>

struct TCalendarThemeColors {
    TColor LineColor1;    // every other day column
    TColor SelColor;      // selected day background
    TColor SelFontColor;  // selected day text
};

struct TCellLook {
    TColor Background;
    TColor Text;
    bool operator==(const TCellLook&) const = default;
};

// Without theme colours the cells are white with black text and the
// selected day black with white text. Holidays show red, or the selected
// text colour in the selected cell; empty cells are light grey.
TCellLook CalendarCellLook(const std::optional<TCalendarThemeColors>& theme, int column, bool selected, bool empty,
                           bool holiday);
