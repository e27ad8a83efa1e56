#pragma once
// Windows-1252 text of the core in and out of Qt's widgets, whose strings
// are Unicode.
#include "Windows1252.h"

#include <QString>

#include <string>

inline QString FromWindows1252(const std::string& cp1252Text) {
    return QString::fromStdString(Windows1252ToUtf8(Windows1252Text(cp1252Text)));
}

inline std::string ToWindows1252(const QString& text) {
    return Utf8ToWindows1252(text.toStdString()).Bytes();
}
