#include "QZ_DIALOG_FORM.h"

#include "BoldArial.h"
#include "QZ_BUTTON.h"
#include "QZ_CONTROLS.h"
#include "QZ_DIALOG_ICONS.h"
#include "QZ_GRAPHICS.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace {

constexpr int kClientWidth = 544;
constexpr int kClientHeight = 372;
constexpr int kTitleHeight = 30;
constexpr int kButtonBarHeight = 42;
constexpr int kMessageHeight = kClientHeight - kTitleHeight - kButtonBarHeight;
constexpr int kLabelMargin = 3;
constexpr int kIconSize = 128;
constexpr int kOkLeft = 152;
constexpr int kCancelLeft = 288;
constexpr int kButtonTop = 4;
constexpr int kButtonWidth = 103;
constexpr int kButtonHeight = 33;
constexpr int kResultYes = 1;
constexpr int kResultNo = 2;

const QString kOk = QStringLiteral("OK");
const QString kYes = QStringLiteral("SIM");
const QString kNo = QStringLiteral("NÃO (ESC)");

QWidget* WhitePanel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

bool IsQuestion(TDialogBoxKind kind) { return kind == dbkQuestion || kind == dbkWarningQuestion; }

// The platform's one notification sound stands for every beep code; kinds
// without a beep stay silent.
void BeepFor(TDialogBoxKind kind) {
    if (kind <= dbkError)
        QApplication::beep();
}

// Line breaks as the message text may carry them (a lone carriage return
// too) become line feeds the label shows.
QString WithLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

}  // namespace

TFrmDialog::TFrmDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    Cores.NoRead = true;
    Cores.SetThemeColors(tcAzul);
    setFixedSize(kClientWidth, kClientHeight);
    CreateControls();
    CreateButtons();
}

void TFrmDialog::CreateControls() {
    PnTitulo = new TQZPanel(this);
    PnTitulo->setGeometry(0, 0, kClientWidth, kTitleHeight);
    PnTitulo->SetTheme(&Cores);
    PnTitulo->setFont(BoldArial(19));

    Panel1 = WhitePanel(this);
    Panel1->setGeometry(0, kTitleHeight, kClientWidth, kMessageHeight);
    ImInfo = CreateIcon(DialogIcon(TDialogIcon::Info));
    ImQuestion = CreateIcon(DialogIcon(TDialogIcon::Question));
    ImWarning = CreateIcon(DialogIcon(TDialogIcon::Warning));
    ImError = CreateIcon(DialogIcon(TDialogIcon::Error));

    LblMens = new QLabel(Panel1);
    LblMens->setGeometry(kLabelMargin, kLabelMargin, kClientWidth - 2 * kLabelMargin,
                         kMessageHeight - 2 * kLabelMargin);
    LblMens->setTextFormat(Qt::PlainText);
    LblMens->setAlignment(Qt::AlignCenter);
    LblMens->setWordWrap(true);
    LblMens->setFont(BoldArial(16));

    PnLista = new QWidget(Panel1);
    PnLista->hide();
}

void TFrmDialog::CreateButtons() {
    PnBotoes = WhitePanel(this);
    PnBotoes->setGeometry(0, kClientHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight);
    BtnOK = new TQZButton(PnBotoes);
    BtnCancelar = new TQZButton(PnBotoes);
    const struct {
        TQZButton* button;
        int left;
        const QString& caption;
        int result;
    } buttons[] = {{BtnOK, kOkLeft, kOk, kResultYes}, {BtnCancelar, kCancelLeft, kNo, kResultNo}};
    for (const auto& b : buttons) {
        b.button->setGeometry(b.left, kButtonTop, kButtonWidth, kButtonHeight);
        b.button->SetTheme(&Cores);
        b.button->setFont(BoldArial(15));
        b.button->SetCaption(b.caption);
        b.button->SetModalResult(b.result);
    }
    BtnOK->SetDefault(true);
    BtnCancelar->SetCancel(true);
}

QLabel* TFrmDialog::CreateIcon(const QImage& picture) {
    auto* icon = new QLabel(Panel1);
    icon->setPixmap(QPixmap::fromImage(picture));
    icon->resize(kIconSize, kIconSize);
    icon->hide();
    return icon;
}

void TFrmDialog::Prepare(TDialogBoxKind kind, const QString& title, const QString& text) {
    static const TQZThemeColors kSchemes[] = {tcAzul, tcVerde, tcAmarelo, tcVermelho, tcAmarelo};
    QLabel* const icons[] = {ImInfo, ImQuestion, ImWarning, ImError, ImQuestion};
    const bool known = kind <= dbkWarningQuestion;
    if (known)
        Cores.SetThemeColors(kSchemes[kind]);

    setWindowTitle(title);
    PnTitulo->SetCaption(title);
    LblMens->setText(WithLineFeeds(text));
    for (QLabel* icon : {ImInfo, ImQuestion, ImWarning, ImError})
        icon->setVisible(known && icon == icons[kind]);

    if (!known)
        return;
    if (IsQuestion(kind)) {
        BtnOK->SetCaption(kYes);
        BtnOK->move(kOkLeft, kButtonTop);
        BtnCancelar->show();
    } else {
        BtnOK->SetCaption(kOk);
        BtnOK->move(HalfRoundedToEven(PnBotoes->width() - BtnOK->width()), kButtonTop);
        BtnCancelar->hide();
    }
}

void TFrmDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    LblMens->setAutoFillBackground(false);  // the icon shows through the text
    LblMens->raise();
    PnLista->hide();
    CenterIcons();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    BtnOK->setFocus(Qt::OtherFocusReason);
}

void TFrmDialog::CenterIcons() {
    for (QLabel* icon : {ImInfo, ImQuestion, ImWarning, ImError})
        icon->move(HalfRoundedToEven(Panel1->width() - icon->width()),
                   HalfRoundedToEven(Panel1->height() - icon->height()));
}

void TFrmDialog::keyPressEvent(QKeyEvent* event) {
    if (SendDialogKey(this, *event))
        return;
    if (event->key() == Qt::Key_Escape && !BtnCancelar->isVisibleTo(this)) {
        done(kResultNo);
        return;
    }
    event->ignore();
}

void TFrmDialog::reject() { done(kResultNo); }

int ShowDialogBoxWindow(TDialogBoxKind kind, const std::string& title, const std::string& text) {
    BeepFor(kind);
    TFrmDialog form;
    form.Prepare(kind, QString::fromStdString(title), QString::fromStdString(text));
    return form.exec();
}
