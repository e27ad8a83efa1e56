#pragma once
// TFrmPopupEdit: the small borderless month calendar a date box opens from
// its "..." button. It marks Brazilian holidays, tells how many days the
// shown date lies from today and moves the date by months or by the steps
// of its two menus. Enter or a double-click hands the date to whoever opened
// it; Esc, leaving the window or the grid closes it unchanged. It frees
// itself when it closes and gives the focus back to its owner. It knows
// nothing of the box that opened it: the start date, the theme and what to
// do with the chosen date are given.
#include "DateTimeValue.h"

#include <QPoint>
#include <QSize>
#include <QWidget>

#include <functional>

class QLabel;
class QMenu;
class QToolButton;
class QTableWidget;
class TQZTheme;

class TFrmPopupEdit : public QWidget {
public:
    using AcceptDate = std::function<void(TDateTime)>;

    // A window owned by owner, which gets the focus back when it closes.
    // It opens on startDate, takes its colours from theme (not owned; the
    // default theme's when null) and calls accept with the chosen date.
    TFrmPopupEdit(QWidget* owner, TDateTime startDate, const TQZTheme* theme, AcceptDate accept);

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

    const TDateTime startDate_;
    const TQZTheme* theme_;
    const AcceptDate accept_;
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
