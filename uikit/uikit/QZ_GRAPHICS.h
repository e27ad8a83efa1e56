#pragma once
// TQZArtistic: paints the faces of themed controls on a 32-bit image -
// gradient fills in 24 shapes, the border and selection bands, the rounded
// button face - plus the glyph effects of buttons and the aligned caption of
// panels.
#include "QZ_COLORS.h"

#include <QColor>

#include <QRect>
#include <QString>

class QImage;
class QPainter;

enum TQZPaintState : std::uint8_t { stNormal, stFocus, stHot, stDown, stDisabled, stHotPlain };

// Glyph effects, combined as a bit set.
enum TQZImageMaskItem : unsigned { imGrayScale = 1u << 0, imAqua = 1u << 1, ImDrawCut = 1u << 2 };
using TQZImageMask = unsigned;

enum TQZHorzAlign : std::uint8_t { haCenter, haLeft, haRight };
enum TQZVertAlign : std::uint8_t { vaCenter, vaTop, vaBottom };

class TQZArtistic : public TQZStateColorSets {
public:
    TQZGradientType GradientType = gtRadialC;
    bool GradientInverse = false;  // swaps the two colours of every fill
    int BorderWidth = 0;

    // Held to -100..100.
    TGradientShift GradientShift() const { return gradientShift_; }
    void SetGradientShift(int value);
    TGradientRotation GradientRotation() const { return gradientRotation_; }
    void SetGradientRotation(int value);

    // Loads the five colour sets from a scheme's preset (tcLaranja past the
    // last scheme).
    void SetColorScheme(TQZThemeColors scheme);

    // The colour set a paint state uses.
    const TQZColors& ColorsOf(TQZPaintState state) const;

    // Fills `area` of a 32-bit canvas with the current shape from `start` to
    // `end`, stretching the shape's template without smoothing.
    void FillGradient(QImage& canvas, const QRect& area, TColor start, TColor end) const;

    // The rectangular face over the whole canvas: border band, a one-pixel
    // selection band for the focused, hot and pressed states, then the face.
    void PaintRect(QImage& canvas, TQZPaintState state) const;

    // The rounded face over the whole canvas: the face gradient, an outline
    // (and an inner one for the focused, hot and pressed states), and the
    // corners outside the outline set to `background`.
    void PaintRounded(QImage& canvas, TQZPaintState state, TColor background) const;

private:
    TGradientShift gradientShift_ = 0;
    TGradientRotation gradientRotation_ = 0;
};

// Applies glyph effects in place; the colour of pixel (0, 0) before any
// change is the see-through colour that imAqua and ImDrawCut write.
void ApplyImageMask(TQZImageMask mask, QImage& glyph);

// A TColor as a Qt colour and back.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// The grey of the same brightness: the rounded mean of the three channels.
TColor GrayColor(TColor color);

// Draws one line of text in `rect` shrunk by `margin`, aligned as asked,
// with a transparent background and clipped to the shrunk rectangle.
void DrawAlignedText(QPainter& painter, const QRect& rect, TQZHorzAlign horz, TQZVertAlign vert, int margin,
                     const QString& text);

// Half of a whole number, halves rounded to even (7 / 2 gives 4, 5 / 2 gives 2).
int HalfRoundedToEven(int value);

// Where DrawAlignedText puts the top-left corner of a text of `textSize`.
QPoint AlignedTextOrigin(const QRect& rect, TQZHorzAlign horz, TQZVertAlign vert, int margin, QSize textSize);
