#include "QZ_GRAPHICS.h"

#include "QZ_GRADIENT.h"
#include "QZ_THEME_PRESETS.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <utility>

namespace {

bool HasSelectionBand(TQZPaintState state) { return state == stFocus || state == stHot || state == stDown; }

// Sets the pixels of one column of a corner to the background, walking from
// `fromY` in steps of `stepY` over `rows` rows and stopping at the outline.
void ClearCornerColumn(QImage& canvas, int x, int fromY, int stepY, int rows, TPixel outline, TPixel background) {
    for (int i = 0, y = fromY; i < rows; ++i, y += stepY) {
        if (!canvas.rect().contains(x, y))
            continue;
        TPixel& pixel = reinterpret_cast<TPixel*>(canvas.scanLine(y))[x];
        if ((pixel | 0xFF000000u) == outline)
            break;
        pixel = background;
    }
}

}  // namespace

int HalfRoundedToEven(int value) { return static_cast<int>(std::nearbyint(value / 2.0)); }

void TQZArtistic::SetGradientShift(int value) { gradientShift_ = ClampGradientPercent(value); }

void TQZArtistic::SetGradientRotation(int value) { gradientRotation_ = ClampGradientPercent(value); }

void TQZArtistic::SetColorScheme(TQZThemeColors scheme) { TQZStateColorSets::operator=(SchemeColorSets(scheme)); }

const TQZColors& TQZArtistic::ColorsOf(TQZPaintState state) const {
    switch (state) {
    case stFocus: return FocusColors;
    case stHot:
    case stHotPlain: return HotColors;
    case stDown: return DownColors;
    case stDisabled: return DisableColors;
    case stNormal: break;
    }
    return NormalColors;
}

void TQZArtistic::FillGradient(QImage& canvas, const QRect& area, TColor start, TColor end) const {
    if (area.isEmpty())
        return;
    if (GradientInverse)
        std::swap(start, end);
    const TGradientTemplate shape =
        RenderTemplate(GradientType, BuildPalette(start, end, gradientShift_, gradientRotation_));
    const QRect target = area.intersected(canvas.rect());
    if (shape.Pixels.empty() || target.isEmpty())
        return;
    for (int y = target.top(); y <= target.bottom(); ++y) {
        auto* row = reinterpret_cast<TPixel*>(canvas.scanLine(y));
        const int sourceY = NearestSource(y - area.top(), area.height(), shape.Height);
        for (int x = target.left(); x <= target.right(); ++x)
            row[x] = shape.At(NearestSource(x - area.left(), area.width(), shape.Width), sourceY);
    }
}

void TQZArtistic::PaintRect(QImage& canvas, TQZPaintState state) const {
    const TQZColors colors = ColorsOf(state);
    QRect r = canvas.rect();
    FillGradient(canvas, r, colors.BorderColorStart, colors.BorderColorEnd);
    r.adjust(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    if (HasSelectionBand(state)) {
        FillGradient(canvas, r, colors.SelColorStart, colors.SelColorEnd);
        r.adjust(1, 1, -1, -1);
    }
    FillGradient(canvas, r, colors.GradientColorStart, colors.GradientColorEnd);
}

void TQZArtistic::PaintRounded(QImage& canvas, TQZPaintState state, TColor background) const {
    const TQZColors colors = ColorsOf(state);
    // Right and bottom edges are exclusive, as the corner scans count them.
    int left = 0, top = 0, right = canvas.width(), bottom = canvas.height();
    FillGradient(canvas, canvas.rect(), colors.GradientColorStart, colors.GradientColorEnd);
    {
        QPainter painter(&canvas);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(ToQColor(colors.BorderColorEnd));
        painter.drawRoundedRect(QRect(left, top, right - left - 1, bottom - top - 1), 5, 5);
        if (HasSelectionBand(state)) {
            ++left, ++top, --right, --bottom;
            painter.setPen(ToQColor(colors.SelColorStart));
            painter.drawRoundedRect(QRect(left, top, right - left - 1, bottom - top - 1), 4, 4);
        }
    }
    const TPixel outline = ColorToPixel(colors.BorderColorEnd);
    const TPixel back = ColorToPixel(background);
    const int b = BorderWidth;
    for (int x = 0; x <= 10; ++x) {
        ClearCornerColumn(canvas, x, 0, +1, 11, outline, back);
        ClearCornerColumn(canvas, x, bottom + b, -1, 11, outline, back);
    }
    for (int x = right + b; x >= right + b - 15; --x)
        ClearCornerColumn(canvas, x, 0, +1, 11, outline, back);
    for (int x = right + b; x >= right + b - 10; --x)
        ClearCornerColumn(canvas, x, bottom + b, -1, 11, outline, back);
}

void ApplyImageMask(TQZImageMask mask, QImage& glyph) {
    if (glyph.isNull() || mask == 0)
        return;
    if (glyph.format() != QImage::Format_RGB32 && glyph.format() != QImage::Format_ARGB32)
        glyph.convertTo(QImage::Format_RGB32);
    const TPixel seeThrough = reinterpret_cast<const TPixel*>(glyph.constScanLine(0))[0];
    for (int y = 0; y < glyph.height(); ++y) {
        auto* row = reinterpret_cast<TPixel*>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x) {
            if ((mask & imAqua) && (x % 2 == y % 2))
                row[x] = seeThrough;
            if ((mask & ImDrawCut) && x <= 255 && (x == y || x == y + 1))
                row[x] = seeThrough;
            if (mask & imGrayScale)
                row[x] = (row[x] & 0xFF000000u) | (ColorToPixel(GrayColor(PixelToColor(row[x]))) & 0xFFFFFFu);
        }
    }
}

QColor ToQColor(TColor color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

TColor FromQColor(const QColor& color) { return MakeColor(color.red(), color.green(), color.blue()); }

TColor GrayColor(TColor color) {
    const int gray = (RedOf(color) + GreenOf(color) + BlueOf(color) + 1) / 3;
    return MakeColor(gray, gray, gray);
}

QPoint AlignedTextOrigin(const QRect& rect, TQZHorzAlign horz, TQZVertAlign vert, int margin, QSize textSize) {
    // Right and bottom edges exclusive.
    const int left = rect.left() + margin, top = rect.top() + margin;
    const int right = rect.left() + rect.width() - margin;
    const int bottom = rect.top() + rect.height() - margin;
    int x = left, y = top;
    switch (horz) {
    case haCenter: x = left + HalfRoundedToEven(right - left - textSize.width()); break;
    case haLeft: x = left + margin; break;
    case haRight: x = right - textSize.width() - 1; break;
    }
    switch (vert) {
    case vaCenter: y = top + HalfRoundedToEven(bottom - top - textSize.height()); break;
    case vaTop: y = top; break;
    case vaBottom: y = bottom - textSize.height() - 1; break;
    }
    return {x, y};
}

void DrawAlignedText(QPainter& painter, const QRect& rect, TQZHorzAlign horz, TQZVertAlign vert, int margin,
                     const QString& text) {
    const QFontMetrics metrics(painter.font());
    const QSize textSize(metrics.horizontalAdvance(text), metrics.height());
    const QPoint origin = AlignedTextOrigin(rect, horz, vert, margin, textSize);
    painter.save();
    painter.setClipRect(rect.adjusted(margin, margin, -margin, -margin));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(origin.x(), origin.y() + metrics.ascent(), text);
    painter.restore();
}
