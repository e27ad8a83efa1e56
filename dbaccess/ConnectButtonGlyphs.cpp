#include "ConnectButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kSize = 16;
// Magenta never appears in the pictures; edges are drawn without smoothing
// so that no pixel mixes with it.
const QColor kSeeThrough(0xFF, 0x00, 0xFF);

void DrawTest(QPainter& painter) {
    painter.setPen(QPen(QColor(0x1E, 0x8C, 0x2E), 3));
    painter.drawPolyline(QPolygon({QPoint(2, 8), QPoint(6, 12), QPoint(13, 3)}));
}

void DrawConnect(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1C, 0x5F, 0xB8));
    painter.drawRect(1, 6, 8, 4);
    painter.drawPolygon(QPolygon({QPoint(8, 2), QPoint(14, 8), QPoint(8, 14)}));
}

void DrawTools(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5A, 0x5A, 0x5A));
    for (int angle = 0; angle < 180; angle += 45) {
        painter.save();
        painter.translate(8, 8);
        painter.rotate(angle);
        painter.drawRect(-2, -7, 4, 14);
        painter.restore();
    }
    painter.drawEllipse(QPoint(8, 8), 5, 5);
    painter.setBrush(kSeeThrough);
    painter.drawEllipse(QPoint(8, 8), 2, 2);
}

void DrawPing(QPainter& painter) {
    const QColor wave(0x00, 0x80, 0xC0);
    const QPoint source(2, 13);
    painter.setPen(QPen(wave, 2));
    for (int radius : {6, 11})
        painter.drawArc(QRect(source - QPoint(radius, radius), QSize(2 * radius, 2 * radius)), 0, 90 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(wave);
    painter.drawRect(source.x() - 1, source.y() - 1, 3, 3);
}

void DrawCancel(QPainter& painter) {
    painter.setPen(QPen(QColor(0xC0, 0x1E, 0x1E), 3));
    painter.drawLine(3, 3, 12, 12);
    painter.drawLine(12, 3, 3, 12);
}

}  // namespace

QImage ConnectButtonGlyph(TConnectGlyph glyph) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(kSeeThrough);
    QPainter painter(&image);
    switch (glyph) {
    case TConnectGlyph::Test: DrawTest(painter); break;
    case TConnectGlyph::Connect: DrawConnect(painter); break;
    case TConnectGlyph::Tools: DrawTools(painter); break;
    case TConnectGlyph::Ping: DrawPing(painter); break;
    case TConnectGlyph::Cancel: DrawCancel(painter); break;
    }
    return image;
}
