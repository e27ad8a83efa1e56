#pragma once
// The bold Arial of the message boxes and the date popup, sized in pixels
// like their fixed layouts.
#include <QFont>
#include <QString>

inline QFont BoldArial(int pixelHeight) {
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(pixelHeight);
    return font;
}
