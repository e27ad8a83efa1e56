#pragma once
// The gallery's message boxes: a small picture of the window of each kind,
// with a button under it that opens the real box.
#include "QZ_THEME.h"

#include <QWidget>

class MessageBoxShelf : public QWidget {
public:
    explicit MessageBoxShelf(QWidget* parent);

private:
    TQZTheme buttonTheme_;
};
