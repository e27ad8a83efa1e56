#pragma once
// One row of the gallery: a title panel and buttons in each state, all in
// one colour scheme.
#include "QZ_THEME.h"

#include <QWidget>

class SchemeSampleRow : public QWidget {
public:
    SchemeSampleRow(TQZThemeColors scheme, QWidget* parent);

    // Captions of the button columns, in order.
    static const QStringList& StateNames();

private:
    void AddButtons(int left, bool rounded);

    TQZTheme rectangular_;
    TQZTheme rounded_;
};
