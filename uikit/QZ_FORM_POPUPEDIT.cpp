#include "QZ_FORM_POPUPEDIT.h"

#include "BoldArial.h"
#include "CalendarCellLook.h"
#include "CalendarMonth.h"
#include "DateSteps.h"
#include "DateTimeText.h"
#include "QZ_CONTROLS.h"
#include "QZ_THEME.h"
#include "QtWindows1252.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr int kClientWidth = 292;
constexpr int kClientHeight = 233;
constexpr int kMargin = 3;
constexpr int kMonthButtonWidth = 60;
constexpr int kStepButtonWidth = 72;
constexpr int kDayLabelWidth = 41;
constexpr int kCellWidth = 40;
constexpr int kCellHeight = 20;
constexpr TColor kWhite = 0xFFFFFF;

void SetColors(QWidget* widget, std::optional<TColor> background, std::optional<TColor> text) {
    QPalette colors = widget->palette();
    if (background) {
        colors.setColor(QPalette::Window, ToQColor(*background));
        widget->setAutoFillBackground(true);
    }
    if (text) {
        colors.setColor(QPalette::WindowText, ToQColor(*text));
        colors.setColor(QPalette::ButtonText, ToQColor(*text));
    }
    widget->setPalette(colors);
}

QLabel* CreatePanel(QWidget* parent, const QString& name, QRect geometry, int fontPixels) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFont(BoldArial(fontPixels));
    return panel;
}

QToolButton* CreateFlatButton(QWidget* parent, const char* name, QRect geometry, int fontPixels) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(BoldArial(fontPixels));
    SetColors(button, std::nullopt, kWhite);
    return button;
}

std::optional<TGridKey> GridKeyOf(int key) {
    switch (key) {
    case Qt::Key_Left: return TGridKey::Left;
    case Qt::Key_Right: return TGridKey::Right;
    case Qt::Key_Up: return TGridKey::Up;
    case Qt::Key_Down: return TGridKey::Down;
    case Qt::Key_Home: return TGridKey::Home;
    case Qt::Key_End: return TGridKey::End;
    case Qt::Key_PageUp: return TGridKey::PageUp;
    case Qt::Key_PageDown: return TGridKey::PageDown;
    default: return std::nullopt;
    }
}

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

// Paints the day cells in the colours of the popup's theme.
class TCalendarCellPainter : public QStyledItemDelegate {
public:
    explicit TCalendarCellPainter(TFrmPopupEdit* popup) : QStyledItemDelegate(popup), popup_(popup) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const TCalendarDate shown = DecodeDate(popup_->currentDate_);
        const QString text = index.data().toString();
        const bool empty = text.isEmpty();
        const bool selected = !empty && text.toInt() == shown.Day;
        const bool holiday = !empty && !HolidayName(EncodeDate(shown.Year, shown.Month, text.toInt())).empty();
        std::optional<TCalendarThemeColors> colors;
        if (const TQZTheme* theme = popup_->theme_)
            colors = TCalendarThemeColors{theme->ObjectColors.ObjLineColor1, theme->ObjectColors.ObjSelColor,
                                          theme->ObjectColors.ObjSelFontColor};
        const TCellLook look = CalendarCellLook(colors, index.column(), selected, empty, holiday);

        const QRect& cell = option.rect;
        painter->fillRect(cell, ToQColor(look.Background));
        painter->setPen(ToQColor(look.Text));
        painter->setFont(option.font);
        const QFontMetrics metrics(option.font);
        const int left =
            cell.left() + static_cast<int>(std::nearbyint((cell.width() - metrics.horizontalAdvance(text)) / 2.0)) + 1;
        painter->drawText(QPoint(left, cell.top() + 1 + metrics.ascent()), text);
    }

private:
    TFrmPopupEdit* popup_;
};

TFrmPopupEdit::TFrmPopupEdit(QWidget* owner, TDateTime startDate, const TQZTheme* theme, AcceptDate accept)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), startDate_(startDate), theme_(theme),
      accept_(std::move(accept)) {
    setObjectName("FrmPopupEdit");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kClientWidth, kClientHeight);
    CreateControls();
}

void TFrmPopupEdit::CreateControls() {
    auto* panel1 = new QWidget(this);
    panel1->setObjectName("Panel1");
    const int width = kClientWidth - 2 * kMargin;
    const int height = kClientHeight - 2 * kMargin;
    panel1->setGeometry(kMargin, kMargin, width, height);
    SetColors(panel1, kWhite, std::nullopt);

    pnMes_ = CreatePanel(panel1, "PnMes", {0, 0, width, 23}, 15);
    btnMes1_ = CreateFlatButton(pnMes_, "BtnMes1", {0, 0, kMonthButtonWidth, 23}, 15);
    btnMes2_ = CreateFlatButton(pnMes_, "BtnMes2", {width - kMonthButtonWidth, 0, kMonthButtonWidth, 23}, 15);
    connect(btnMes1_, &QToolButton::clicked, this, [this] { ShowMonth(IncMonth(currentDate_, -1)); });
    connect(btnMes2_, &QToolButton::clicked, this, [this] { ShowMonth(IncMonth(currentDate_, 1)); });

    pnMes2_ = CreatePanel(panel1, "PnMes2", {0, 23, width, 22}, 15);
    for (int i = 0; i < 7; ++i)
        lblD_[i] = CreatePanel(pnMes2_, QString("LblD%1").arg(i + 1), {i * kDayLabelWidth, 0, kDayLabelWidth, 22}, 15);

    const int gridTop = 45;
    const int gridHeight = height - gridTop - 22 - 24;
    grid_ = new QTableWidget(TMonthGrid::kRows, TMonthGrid::kColumns, panel1);
    grid_->setObjectName("Grid");
    grid_->setGeometry(0, gridTop, width, gridHeight);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    // One pixel of grid line beside each 40 x 20 cell.
    grid_->horizontalHeader()->setDefaultSectionSize(kCellWidth + 1);
    grid_->verticalHeader()->setDefaultSectionSize(kCellHeight + 1);
    grid_->setFrameShape(QFrame::NoFrame);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setFont(BoldArial(16));
    grid_->setItemDelegate(new TCalendarCellPainter(this));
    grid_->installEventFilter(this);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) { SelectCell(row, column); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { Accept(); });

    pnData_ = CreatePanel(panel1, "PnData", {0, height - 24 - 22, width, 22}, 12);

    pnDif_ = CreatePanel(panel1, "PnDif", {0, height - 24, width, 24}, 11);
    pnDif_->setToolTip(
        FromWindows1252(Windows1252Text("Diferen\xE7"
                                        "a para o Dia de Hoje")));
    speedButton3_ = CreateFlatButton(pnDif_, "SpeedButton3", {0, 0, kStepButtonWidth, 24}, 12);
    speedButton3_->setText("VOLTAR");
    speedButton3_->setToolTip("Voltar dias, meses ou anos");
    speedButton4_ = CreateFlatButton(pnDif_, "SpeedButton4", {width - kStepButtonWidth, 0, kStepButtonWidth, 24}, 12);
    speedButton4_->setText(
        FromWindows1252(Windows1252Text("AVAN\xC7"
                                        "AR")));
    speedButton4_->setToolTip(FromWindows1252(Windows1252Text("Incrementar dias, meses ou anos \xE0 data")));

    popMais_ = CreateStepMenu("PopMais", true);
    popMenos_ = CreateStepMenu("PopMenos", false);
    connect(speedButton3_, &QToolButton::clicked, this,
            [this] { popMenos_->popup(speedButton3_->mapToGlobal(QPoint(0, 0))); });
    connect(speedButton4_, &QToolButton::clicked, this,
            [this] { popMais_->popup(speedButton4_->mapToGlobal(QPoint(0, 0))); });
}

QMenu* TFrmPopupEdit::CreateStepMenu(const char* name, bool forward) {
    auto* menu = new QMenu(this);
    menu->setObjectName(name);
    for (const TDateStep& step : forward ? ForwardSteps() : BackwardSteps()) {
        if (step.Kind == TDateStepKind::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(FromWindows1252(Windows1252Text(step.Caption)));
        connect(action, &QAction::triggered, this, [this, step] {
            if (step.Kind != TDateStepKind::Cancel)
                ShowMonth(ApplyDateStep(step, currentDate_));
        });
    }
    return menu;
}

void TFrmPopupEdit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    for (int i = 0; i < 7; ++i)
        lblD_[i]->setText(FromWindows1252(Windows1252Text(ShortDayName(i == 0 ? 7 : i))));
    ApplyThemeColors();
    ShowMonth(startDate_);
    grid_->setFocus();
}

void TFrmPopupEdit::ApplyThemeColors() {
    std::optional<TQZTheme> temporary;
    const TQZTheme& theme = theme_ ? *theme_ : temporary.emplace();
    const TColor background = theme.ObjectColors.ObjSelColor;
    const TColor text = theme.ObjectColors.ObjSelFontColor;
    SetColors(this, background, std::nullopt);
    for (QWidget* panel :
         {static_cast<QWidget*>(pnMes_), pnMes2_, static_cast<QWidget*>(pnData_), static_cast<QWidget*>(pnDif_)})
        SetColors(panel, background, text);
    for (QLabel* label : lblD_)
        SetColors(label, std::nullopt, text);
}

void TFrmPopupEdit::ShowMonth(TDateTime date) {
    showingMonth_ = true;
    const TCalendarDate shown = DecodeDate(date);
    const TMonthGrid month(shown.Year, shown.Month);
    // Cell by cell rather than clearing the grid: a reset would drop the
    // press a double-click needs.
    for (int row = 0; row < TMonthGrid::kRows; ++row)
        for (int column = 0; column < TMonthGrid::kColumns; ++column) {
            const int day = month.DayAt({column, row});
            if (!day)
                delete grid_->takeItem(row, column);
            else if (QTableWidgetItem* item = grid_->item(row, column))
                item->setText(QString::number(day));
            else
                grid_->setItem(row, column, new QTableWidgetItem(QString::number(day)));
        }
    currentDate_ = date;
    const TGridCell selected = month.CellOf(shown.Day);
    grid_->setCurrentCell(selected.Row, selected.Column);

    const TDateTime firstDay = EncodeDate(shown.Year, shown.Month, 1);
    pnMes_->setText(FromWindows1252(Windows1252Text(FormatDateTime("MMMMMM/YYYY", firstDay))).toUpper());
    const Windows1252Text previousMonth(ShortMonthName(DecodeDate(IncMonth(firstDay, -1)).Month));
    const Windows1252Text nextMonth(ShortMonthName(DecodeDate(IncMonth(firstDay, 1)).Month));
    btnMes1_->setText("<< " + FromWindows1252(previousMonth).toUpper());
    btnMes2_->setText(FromWindows1252(nextMonth).toUpper() + " >>");
    pnDif_->setText(QString::number(DayDifference(date, quorvel::Today())) + " dia(s)");
    const std::string holiday = HolidayName(date);
    const Windows1252Text dayText(FormatDateTime("DD/MM/YYYY", date) + (holiday.empty() ? "" : " " + holiday));
    pnData_->setText(FromWindows1252(dayText));
    grid_->viewport()->update();
    showingMonth_ = false;
}

void TFrmPopupEdit::SelectCell(int row, int column) {
    if (showingMonth_ || row < 0 || column < 0)
        return;
    const TCalendarDate shown = DecodeDate(currentDate_);
    const QTableWidgetItem* item = grid_->item(row, column);
    if (item)
        ShowMonth(EncodeDate(shown.Year, shown.Month, item->text().toInt()));
    else
        ShowMonth(currentDate_);  // an empty cell cannot be selected
}

bool TFrmPopupEdit::HandleGridKey(int key) {
    const auto gridKey = GridKeyOf(key);
    if (!gridKey)
        return false;
    if (const auto next = DateAfterGridKey(currentDate_, *gridKey))
        ShowMonth(*next);
    return true;
}

void TFrmPopupEdit::Accept() {
    if (accept_)
        accept_(currentDate_);
    close();
}

bool TFrmPopupEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (IsEnter(key)) {
                Accept();
                return true;
            }
            if (key == Qt::Key_Escape) {
                close();
                return true;
            }
            return HandleGridKey(key);
        }
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            close();
    }
    return QWidget::eventFilter(watched, event);
}

void TFrmPopupEdit::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event->key()))
        Accept();
    else if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void TFrmPopupEdit::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()) {
        deactivated_ = true;
        close();
    }
}

void TFrmPopupEdit::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // Another window the operator went to keeps the activation.
    if (!deactivated_)
        parentWidget()->activateWindow();
    parentWidget()->setFocus();
}

QPoint PopupPosition(QPoint boxOrigin, QSize boxSize, QSize popupSize, int screenHeight) {
    const int left = std::max(0, boxOrigin.x() + boxSize.width() - popupSize.width() - 2);
    int top = boxOrigin.y() + boxSize.height();
    if (top + popupSize.height() > screenHeight)
        top = boxOrigin.y() - popupSize.height();
    return {left, top};
}
