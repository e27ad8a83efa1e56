#pragma once
// The arithmetic behind gradient fills, free of any canvas: the 256-entry
// palette between two colours and the fixed-size template of each shape.
// Pixels are 32-bit values laid out as blue, green, red bytes from the low
// byte up, with the fourth byte set to FF (the layout of a 32-bit image row).
#include "QZ_COLORS.h"

#include <array>
#include <cstdint>
#include <vector>

using TPixel = std::uint32_t;
using TGradientPalette = std::array<TPixel, 256>;

constexpr TPixel ColorToPixel(TColor c) {
    return 0xFF000000u | (static_cast<TPixel>(RedOf(c)) << 16) | (static_cast<TPixel>(GreenOf(c)) << 8) |
           static_cast<TPixel>(BlueOf(c));
}
constexpr TColor PixelToColor(TPixel p) {
    return MakeColor(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF));
}

// a * b / c with a 64-bit intermediate, rounded to the nearest integer
// (halves away from zero).
int MulDiv(int a, int b, int c);

// The palette from start to end. A positive shift moves the start toward the
// end by that percentage, a negative one the end toward the start. A
// positive rotation folds the palette into start -> end -> start, a negative
// one into end -> start -> end; 100 and -100 reverse it. Shift and rotation
// are held to -100..100.
TGradientPalette BuildPalette(TColor start, TColor end, int shift, int rotation);

struct TGradientTemplate {
    int Width = 0;
    int Height = 0;
    std::vector<TPixel> Pixels;  // row by row from the top

    TPixel At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// The palette index of every template pixel of a shape, row by row; an
// empty template for an ordinal past the last shape.
TGradientTemplate RenderTemplate(TQZGradientType type, const TGradientPalette& palette);

// Source pixel for target position `target` of `targetSize` pixels when
// stretching `sourceSize` pixels without smoothing: the nearest source pixel
// with both edges landing on both edges.
int NearestSource(int target, int targetSize, int sourceSize);
