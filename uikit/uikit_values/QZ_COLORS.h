#pragma once
// Colour values and the enumerations shared by the theme and the painter.
// A TColor is a 24-bit value laid out blue, green, red from the high byte
// down (0x0000FF is red), the way the stored schemes write them.
#include <algorithm>
#include <cstdint>

using TColor = std::uint32_t;

constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr TColor MakeColor(int red, int green, int blue) {
    return static_cast<TColor>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The six colours of one control state.
struct TQZColors {
    TColor GradientColorStart = 0;
    TColor GradientColorEnd = 0;
    TColor BorderColorStart = 0;  // first colour of the border band
    TColor BorderColorEnd = 0;    // last colour of the border band; outline of rounded faces
    TColor SelColorStart = 0;     // first colour of the selection band; inner outline of rounded faces
    TColor SelColorEnd = 0;

    friend bool operator==(const TQZColors&, const TQZColors&) = default;
};

// The colour sets of the five control states, as a scheme's preset gives
// them and as the theme and the painter hold them.
struct TQZStateColorSets {
    TQZColors NormalColors, HotColors, FocusColors, DownColors, DisableColors;
};

enum TQZThemeColors : std::uint8_t {
    tcLaranja,
    tcAzul,
    tcRoxo,
    tcRosa,
    tcVermelho,
    tcVerde,
    tcPreto,
    tcAmarelo,
    tcBrasil,
    tcPretoAzul,
    tcPretoRoxo,
    tcPretoVermelho,
    tcPretoVerde,
    tcPretoAmarelo,
    tcOfficeBlue,
    tcOfficeGreen,
    tcOfficeRed,
    tcOfficePurple,
    tcOfficeOrange,
};
constexpr int kSchemeCount = 19;

enum TQZGradientType : std::uint8_t {
    gtRadialC,
    gtRadialT,
    gtRadialB,
    gtRadialL,
    gtRadialR,
    gtRadialTL,
    gtRadialTR,
    gtRadialBL,
    gtRadialBR,
    gtLinearH,
    gtLinearV,
    gtReflectedH,
    gtReflectedV,
    gtDiagonalLF,
    gtDiagonalLB,
    gtDiagonalRF,
    gtDiagonalRB,
    gtArrowL,
    gtArrowR,
    gtArrowU,
    gtArrowD,
    gtDiamond,
    gtButterfly,
    gtLight,
};
constexpr int kGradientTypeCount = 24;

// Percentages in -100..100.
using TGradientRotation = std::int8_t;
using TGradientShift = std::int8_t;
constexpr int kGradientPercentLimit = 100;

// A rotation or shift held to -100..100.
constexpr std::int8_t ClampGradientPercent(int value) {
    return static_cast<std::int8_t>(std::clamp(value, -kGradientPercentLimit, kGradientPercentLimit));
}
