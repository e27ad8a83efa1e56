#include "QZ_DIALOG_ICONS.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int kSize = 128;

struct IconLook {
    QColor light;
    QColor dark;
    QString sign;
};

IconLook LookOf(TDialogIcon icon) {
    switch (icon) {
    case TDialogIcon::Info: return {QColor(0x6F, 0xB4, 0xFF), QColor(0x0A, 0x4F, 0xB0), "i"};
    case TDialogIcon::Question: return {QColor(0x7C, 0xE0, 0x8A), QColor(0x11, 0x80, 0x2E), "?"};
    case TDialogIcon::Warning: return {QColor(0xFF, 0xD8, 0x4D), QColor(0xD0, 0x8A, 0x00), "!"};
    case TDialogIcon::Error: return {QColor(0xFF, 0x7A, 0x6E), QColor(0xB0, 0x12, 0x12), "\u00D7"};
    }
    return {};
}

// The colour taken `amount` of the way from white: the message text lies
// over the icon, so the icon keeps to light tones the black text reads on.
QColor Pale(const QColor& color, double amount) {
    auto mix = [amount](int channel) { return qRound(255 - (255 - channel) * amount); };
    return QColor(mix(color.red()), mix(color.green()), mix(color.blue()));
}

// A round badge, or a triangle for the warning, lit from the top left.
QPainterPath BadgeShape(TDialogIcon icon) {
    QPainterPath path;
    if (icon == TDialogIcon::Warning) {
        path.moveTo(64, 8);
        path.lineTo(122, 116);
        path.lineTo(6, 116);
        path.closeSubpath();
    } else {
        path.addEllipse(QRectF(6, 6, 116, 116));
    }
    return path;
}

}  // namespace

QImage DialogIcon(TDialogIcon icon) {
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const IconLook look = LookOf(icon);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(QPointF(44, 36), 100);
    shade.setColorAt(0, Pale(look.light, 0.25));
    shade.setColorAt(1, Pale(look.dark, 0.3));
    painter.setBrush(shade);
    painter.setPen(QPen(Pale(look.dark, 0.55), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(BadgeShape(icon));

    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(icon == TDialogIcon::Warning ? 64 : 76);
    painter.setFont(font);
    painter.setPen(Pale(icon == TDialogIcon::Warning ? QColor(0x40, 0x28, 0x00) : look.dark, 0.5));
    const QRect signArea = icon == TDialogIcon::Warning ? QRect(0, 34, kSize, 80) : QRect(0, 0, kSize, kSize);
    painter.drawText(signArea, Qt::AlignCenter, look.sign);
    return image;
}
