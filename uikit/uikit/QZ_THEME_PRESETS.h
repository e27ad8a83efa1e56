#pragma once
// The built-in colour schemes: the colour sets of each control state and the
// eleven object colours.
#include "QZ_COLORS.h"

struct TQZObjectColors {
    TColor ObjBackColor, ObjBackFontColor, ObjLineColor1, ObjLineFontColor1, ObjLineColor2, ObjLineFontColor2,
        ObjBorderColor, ObjSelColor, ObjSelFontColor, ObjFontColor, ObjFontContrastColor;
    friend bool operator==(const TQZObjectColors&, const TQZObjectColors&) = default;
};

// The colour sets of a scheme; an ordinal past the last scheme gives those of
// tcLaranja.
TQZStateColorSets SchemeColorSets(TQZThemeColors scheme);

// The object colours of a scheme, or nullptr for an ordinal past the last
// scheme (which leaves a theme's object colours as they are).
const TQZObjectColors* SchemeObjectColors(TQZThemeColors scheme);
