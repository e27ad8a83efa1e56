#pragma once
// TFrmPopupEdit: the small borderless month calendar a date box opens from
// its "..." button. It marks Brazilian holidays, tells how many days the
// shown date lies from today and moves the date by months or by the steps
// of its two menus. Enter or a double-click writes the date into the box;
// Esc, leaving the window or the grid closes it unchanged. It frees itself
// when it closes and gives the focus back to the box.
#include "DateTimeValue.h"

#include <QPoint>
#include <QSize>
#include <QWidget>

class QLabel;
class QMenu;
class QToolButton;
class QTableWidget;
class TQZControlEdit;

class TFrmPopupEdit : public QWidget {
public:
    // A window owned by the box, which is also its target.
    explicit TFrmPopupEdit(TQZControlEdit* targetEdit);

    TQZControlEdit* TargetEdit() const { return targetEdit_; }
    TDateTime CurrentDate() const { return currentDate_; }

    // Shows the month of the date with that day selected.
    void ShowMonth(TDateTime date);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TCalendarCellPainter;

    void CreateControls();
    QMenu* CreateStepMenu(const char* name, bool forward);
    void ApplyThemeColors();
    void SelectCell(int row, int column);
    bool HandleGridKey(int key);
    void Accept();

    TQZControlEdit* targetEdit_;
    TDateTime currentDate_{};
    bool showingMonth_ = false;
    bool deactivated_ = false;
    QLabel* pnMes_ = nullptr;
    QToolButton* btnMes1_ = nullptr;
    QToolButton* btnMes2_ = nullptr;
    QWidget* pnMes2_ = nullptr;
    QLabel* lblD_[7] = {};
    QTableWidget* grid_ = nullptr;
    QLabel* pnData_ = nullptr;
    QLabel* pnDif_ = nullptr;
    QToolButton* speedButton3_ = nullptr;
    QToolButton* speedButton4_ = nullptr;
    QMenu* popMais_ = nullptr;
    QMenu* popMenos_ = nullptr;
};

// Where the popup goes for a box whose client origin is at boxOrigin on
// the screen: under the box with its right edge 2 pixels inside the box's
// (never left of 0), or above the box when it would pass the screen's
// bottom.
QPoint PopupPosition(QPoint boxOrigin, QSize boxSize, QSize popupSize, int screenHeight);
