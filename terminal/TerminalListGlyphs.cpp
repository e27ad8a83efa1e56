#include "TerminalListGlyphs.h"

#include <QColor>
#include <QPainter>
#include <QRect>

#include <initializer_list>

namespace {

constexpr int kSize = 16;
const QColor kSeeThrough(0xFF, 0x00, 0xFF);

// Bars of a sign, filled with a light colour inside a dark outline. Drawn
// without smoothing, so no pixel mixes with the see-through colour.
QImage SignGlyph(std::initializer_list<QRect> bars, const QColor& fill, const QColor& outline) {
    QImage glyph(kSize, kSize, QImage::Format_RGB32);
    glyph.fill(kSeeThrough);
    QPainter painter(&glyph);
    painter.setPen(Qt::NoPen);
    painter.setBrush(outline);
    for (const QRect& bar : bars)
        painter.drawRect(bar);
    painter.setBrush(fill);
    for (const QRect& bar : bars)
        painter.drawRect(bar.adjusted(1, 1, -1, -1));
    return glyph;
}

const QRect kAcross(1, 6, 14, 4);
const QRect kDown(6, 1, 4, 14);

}  // namespace

QImage AddTerminalGlyph() { return SignGlyph({kAcross, kDown}, QColor(0x3C, 0xB8, 0x4A), QColor(0x12, 0x6B, 0x22)); }

QImage RemoveTerminalGlyph() { return SignGlyph({kAcross}, QColor(0xE8, 0x4A, 0x3C), QColor(0x9C, 0x16, 0x10)); }
