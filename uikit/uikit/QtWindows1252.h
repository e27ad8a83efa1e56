#pragma once
// Windows-1252 text of the core in and out of Qt's widgets, whose strings
// are Unicode.
#include "Windows1252.h"

#include <QString>

inline QString FromWindows1252(const Windows1252Text& text) { return QString::fromStdString(Windows1252ToUtf8(text)); }

inline Windows1252Text ToWindows1252(const QString& text) { return Utf8ToWindows1252(text.toStdString()); }
