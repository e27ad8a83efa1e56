#pragma once
// The gallery's window: every colour scheme on a title panel and on buttons
// in each state, then the message boxes.
#include <QWidget>

class GalleryWindow : public QWidget {
public:
    GalleryWindow();

private:
    QWidget* CreateSchemeTable();
};
