#pragma once
// The gallery's edit boxes: one box of each style holding a sample value,
// and a picture of the date popup opened from the date box.
#include "QZ_THEME.h"

#include <QWidget>

class TQZControlEdit;

class EditBoxShelf : public QWidget {
public:
    explicit EditBoxShelf(QWidget* parent);

private:
    QWidget* CreateBoxes();
    QWidget* CreatePopupPicture();

    TQZTheme theme_;
    TQZControlEdit* dateBox_ = nullptr;
};
