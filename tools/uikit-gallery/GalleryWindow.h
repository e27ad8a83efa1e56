#pragma once
// The gallery's window: every colour scheme on a title panel and on buttons
// in each state, the message boxes, the edit boxes and the date popup.
#include <QWidget>

class GalleryWindow : public QWidget {
public:
    GalleryWindow();

private:
    QWidget* CreateSchemeTable();
};
