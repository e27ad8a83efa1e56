#pragma once
// Small builders for the main window's tabs: labels from the system's own
// Windows-1252 texts, word-wrapped texts, and drop-down lists that cannot
// be typed into.
#include <QFont>

#include <span>

class QComboBox;
class QLabel;
class QWidget;

// One line of text in the window's bold font.
QLabel* NewLabel(const char* cp1252Text, QWidget* parent);

// Text broken into lines at the width of its place, in the window's font
// with the given weight (the help examples are regular, the rest bold).
QLabel* NewWrappedText(const char* cp1252Text, QFont::Weight weight, QWidget* parent);

// A pick-only list with the entries in this order and nothing selected.
QComboBox* NewPickList(std::span<const char* const> cp1252Entries, QWidget* parent);
