#include "FormPrincipal.h"

#include "BoldArial.h"
#include "EventGuard.h"
#include "FormPrincipalHelpTab.h"
#include "IniFile.h"
#include "ProgramFiles.h"
#include "QZ_BUTTON.h"
#include "QZ_DBEDIT.h"
#include "QZ_DIALOG.h"
#include "QtWindows1252.h"
#include "ServiceSettings.h"
#include "TerminalList.h"
#include "TerminalSettingsFile.h"
#include "Trim.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <initializer_list>
#include <iostream>

namespace {

constexpr int kClientWidth = 774;
constexpr int kClientHeight = 512;
constexpr int kTitleHeight = 40;
constexpr int kButtonBarHeight = 41;
constexpr int kButtonWidth = 136;
constexpr int kButtonHeight = 33;
constexpr int kButtonGap = 4;
constexpr int kFontHeight = 12;
constexpr int kTitleFontHeight = 20;

// Tabs drawn as flat buttons: only the chosen one looks pressed in.
const char* const kFlatButtonTabs =
    "QTabBar::tab { border: 1px solid transparent; border-radius: 2px; padding: 5px 12px; margin: 3px 1px 2px 1px; }"
    "QTabBar::tab:hover { border-color: #9a9a9a; }"
    "QTabBar::tab:selected { background: #d4d4d4; border: 1px solid; border-color: #7a7a7a #ffffff #ffffff #7a7a7a; }";

// Selects a position, or nothing when the list has no such entry.
void SelectPosition(QComboBox* list, int position) {
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

// Runs a handler of this window inside the exception barrier.
template <typename Handler>
auto Guarded(TFrmPrincipal* window, Handler handler) {
    return [window, handler] { RunGuarded([window, handler] { (window->*handler)(); }); };
}

TQZButton* NewBarButton(const char* name, const char* caption, int left, QWidget* bar) {
    auto* button = new TQZButton(bar);
    button->setObjectName(name);
    button->SetCaption(caption);
    button->setGeometry(left, (kButtonBarHeight - kButtonHeight) / 2, kButtonWidth, kButtonHeight);
    return button;
}

}  // namespace

TFrmPrincipal::TFrmPrincipal(TerminalLibrary& library, Sleeper& sleeper, const std::string& programPath,
                             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      VendorIniPath(TerminalSettingsFile::PathBeside(programPath)), ownIniPath_(OwnSettingsPath(programPath)),
      keyLog_(KeyLogPathOf(programPath)), service_(library, sleeper, *this),
      keyPreview_(*this, [this](int key) { FormKeyDown(key); }) {
    setWindowTitle(FromWindows1252(Windows1252Text("Microterminal Bematech - Fit B\xE1sico v 1.2.4")));
    setFont(BoldArial(kFontHeight));
    setFixedSize(kClientWidth, kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    AskTerminalAddress = [this]() -> std::optional<QString> {
        bool accepted = false;
        QString text = QInputDialog::getText(this, "IP DO TERMINAL", "Insira o IP do terminal:", QLineEdit::Normal,
                                             QString(), &accepted);
        return accepted ? std::optional<QString>(text) : std::nullopt;
    };

    CreateTitlePanel();
    CreatePages();
    CreateButtonBar();
    TM = new QTimer(this);
    TM->setObjectName("TM");
    TM->setInterval(50);
    UseTheme(initialTheme_);
    ConnectHandlers();
    FormCreate();
}

void TFrmPrincipal::CreateTitlePanel() {
    QZPanel1 = new TQZPanel(this);
    QZPanel1->setObjectName("QZPanel1");
    QZPanel1->setGeometry(0, 0, kClientWidth, kTitleHeight);
    QZPanel1->setFont(BoldArial(kTitleFontHeight));
    QZPanel1->SetCaption(FromWindows1252(Windows1252Text("Microterminal Bematech Fit B\xE1sico")));
}

void TFrmPrincipal::CreatePages() {
    PC = new QTabWidget(this);
    PC->setObjectName("PC");
    PC->setGeometry(0, kTitleHeight, kClientWidth, kClientHeight - kTitleHeight - kButtonBarHeight);
    PC->setDocumentMode(true);
    PC->tabBar()->setDrawBase(false);
    PC->tabBar()->setStyleSheet(kFlatButtonTabs);
    PC->addTab(CreateConfigurationTab(), FromWindows1252(Windows1252Text("CONFIGURA\xC7\xC3O")));
    PC->addTab(CreateHelpTab(), "AJUDA - TECLAS DE ATALHO");
    PC->addTab(CreateLetterTab(), "CONFIGURAR TECLAS");
    PC->addTab(CreateSpecialKeyTab(), "TECLAS ESPECIAIS");
}

void TFrmPrincipal::CreateButtonBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName("PnBotoes");
    bar->setGeometry(0, kClientHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight);
    const int rightmost = kClientWidth - kButtonGap - kButtonWidth;
    const int step = kButtonWidth + kButtonGap;
    BtnLimpar = NewBarButton("BtnLimpar", "LIMPAR VISOR", kButtonGap, bar);
    BtnIniciar = NewBarButton("BtnIniciar", "INICIAR F2", rightmost - 2 * step, bar);
    BtnParar = NewBarButton("BtnParar", "PARAR F3", rightmost - step, bar);
    BtnFechar = NewBarButton("BtnFechar", "FECHAR ESC", rightmost, bar);
}

void TFrmPrincipal::UseTheme(TQZTheme& theme) {
    for (TQZControl* control :
         std::initializer_list<TQZControl*>{QZPanel1, QZButton2, QZButton1, BtnLimpar, BtnIniciar, BtnParar, BtnFechar})
        control->SetTheme(&theme);
    EdtPorta->SetTheme(&theme);
}

void TFrmPrincipal::ConnectHandlers() {
    connect(BtnIniciar, &TQZButton::clicked, this, Guarded(this, &TFrmPrincipal::BtnIniciarClick));
    connect(BtnParar, &TQZButton::clicked, this, Guarded(this, &TFrmPrincipal::BtnPararClick));
    connect(BtnLimpar, &TQZButton::clicked, this, Guarded(this, &TFrmPrincipal::BtnLimparClick));
    connect(BtnFechar, &TQZButton::clicked, this, Guarded(this, &TFrmPrincipal::BtnFecharClick));
    connect(TM, &QTimer::timeout, this, Guarded(this, &TFrmPrincipal::TMTimer));
    connect(QZButton2, &TQZButton::clicked, this, Guarded(this, &TFrmPrincipal::QZButton2Click));
    connect(QZButton1, &TQZButton::clicked, this, Guarded(this, &TFrmPrincipal::QZButton1Click));
    // Only the operator's choice saves; filling the list while loading does not.
    connect(CbProtocolo, &QComboBox::activated, this, Guarded(this, &TFrmPrincipal::CbProtocoloChange));
    connect(EdtPorta, &QLineEdit::textChanged, this, Guarded(this, &TFrmPrincipal::EdtPortaChange));
    EdtPorta->installEventFilter(this);
    for (QWidget* box : EdtLetters)
        box->installEventFilter(this);
    for (QWidget* box : EdtCodes)
        box->installEventFilter(this);
    for (QWidget* list : CbActions)
        list->installEventFilter(this);
}

void TFrmPrincipal::FormCreate() {
    PC->setCurrentIndex(0);
    LoadSettings();
    service_.ReplyPending = false;
}

void TFrmPrincipal::FormKeyDown(int key) {
    switch (key) {
    case Qt::Key_Escape: BtnFechar->Click(); break;
    case Qt::Key_F2: BtnIniciar->Click(); break;
    case Qt::Key_F3: BtnParar->Click(); break;
    default: break;
    }
}

bool TFrmPrincipal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EdtPorta && event->type() == QEvent::FocusOut)
        Guarded(this, &TFrmPrincipal::EdtPortaExit)();
    else if (watched == EdtPorta && event->type() == QEvent::KeyRelease)
        Guarded(this, &TFrmPrincipal::EdtPortaKeyUp)();
    else if (event->type() == QEvent::FocusOut)
        Guarded(this, &TFrmPrincipal::EdtAExit)();
    return QWidget::eventFilter(watched, event);
}

void TFrmPrincipal::showEvent(QShowEvent* event) {
    WindowShown = true;
    QWidget::showEvent(event);
}

void TFrmPrincipal::closeEvent(QCloseEvent* event) {
    Guarded(this, &TFrmPrincipal::SaveSettings)();
    QWidget::closeEvent(event);
}

void TFrmPrincipal::SavePortText() {
    EdtPorta->SkipRefresh = true;
    EdtPorta->SetValue(EdtPorta->TextToValue());
    EdtPorta->SkipRefresh = false;
    SaveSettings();
}

void TFrmPrincipal::LoadSettings() {
    const ServiceSettings settings = LoadServiceSettings(IniFile(VendorIniPath), IniFile(ownIniPath_));
    SelectPosition(CbProtocolo, settings.protocol);
    EdtPorta->SetValue(static_cast<double>(settings.port));
    CbTerminal->clear();
    for (const auto& entry : settings.terminals)
        CbTerminal->addItem(FromWindows1252(Windows1252Text(entry)));
    CbTerminal->setCurrentIndex(-1);
    for (size_t i = 0; i < EdtLetters.size(); ++i)
        EdtLetters[i]->setText(FromWindows1252(Windows1252Text(settings.letters[i])));
    for (size_t i = 0; i < EdtCodes.size(); ++i) {
        EdtCodes[i]->setText(FromWindows1252(Windows1252Text(settings.specialCodes[i])));
        SelectPosition(CbActions[i], settings.specialActions[i]);
    }
}

void TFrmPrincipal::SaveSettings() {
    if (!WindowShown)
        return;
    ServiceSettings settings;
    settings.protocol = CbProtocolo->currentIndex();
    settings.port = EdtPorta->AsInteger();
    for (int i = 0; i < CbTerminal->count(); ++i)
        settings.terminals.push_back(ToWindows1252(CbTerminal->itemText(i)).Bytes());
    for (size_t i = 0; i < EdtLetters.size(); ++i)
        settings.letters[i] = ToWindows1252(EdtLetters[i]->text()).Bytes();
    for (size_t i = 0; i < EdtCodes.size(); ++i) {
        settings.specialCodes[i] = ToWindows1252(EdtCodes[i]->text()).Bytes();
        settings.specialActions[i] = CbActions[i]->currentIndex();
    }
    IniFile vendorFile(VendorIniPath);
    IniFile ownFile(ownIniPath_);
    SaveServiceSettings(settings, vendorFile, ownFile);
}

void TFrmPrincipal::QZButton2Click() {
    const std::optional<QString> address = AskTerminalAddress();
    if (!address || quorvel::IsBlank(ToWindows1252(*address).Bytes()))
        return;
    std::vector<std::string> entries;
    for (int i = 0; i < CbTerminal->count(); ++i)
        entries.push_back(ToWindows1252(CbTerminal->itemText(i)).Bytes());
    entries.push_back(NewTerminalEntry(ToWindows1252(*address).Bytes()));
    OrderTerminalEntries(entries);
    CbTerminal->clear();
    for (const auto& entry : entries)
        CbTerminal->addItem(FromWindows1252(Windows1252Text(entry)));
    SaveSettings();
    LoadSettings();
}

void TFrmPrincipal::QZButton1Click() {
    const int selected = CbTerminal->currentIndex();
    if (selected < 0) {
        ErrorBox("Erro", "Nenhum terminal selcionado para remover!");
        return;
    }
    if (QuestionBox("Excluir terminal", "Deseja remover este terminal?") != 1)
        return;
    CbTerminal->removeItem(selected);
    SaveSettings();
    LoadSettings();
}

int TFrmPrincipal::SelectedTerminal() const {
    const int position = CbTerminal->currentIndex();
    return position < 0 ? -1 : TerminalNumberOfEntry(ToWindows1252(CbTerminal->itemText(position)).Bytes(), position);
}

int TFrmPrincipal::SelectedProtocol() const { return CbProtocolo->currentIndex(); }

void TFrmPrincipal::ShowStatus(const std::string& text) { PnComando->setText(QString::fromStdString(text)); }

void TFrmPrincipal::ReportOutcome(const std::string& line) {
    ShowStatus(line);
    std::cerr << line << std::endl;
}

void TFrmPrincipal::SetTimerActive(bool active) {
    if (active)
        TM->start();
    else
        TM->stop();
}

bool TFrmPrincipal::TerminalRunning() const { return TM->isActive(); }

void TFrmPrincipal::WriteKeyLog(const Windows1252Text& entry) {
    if (CkLog->isChecked())
        keyLog_.Write(entry.Bytes());
}

Windows1252Text TFrmPrincipal::LetterMapping(char letter) const {
    return ToWindows1252(EdtLetters[letter - 'A']->text());
}

Windows1252Text TFrmPrincipal::SpecialCode(int pair) const { return ToWindows1252(EdtCodes[pair - 1]->text()); }

int TFrmPrincipal::SpecialAction(int pair) const { return CbActions[pair - 1]->currentIndex(); }

void TFrmPrincipal::StartTerminal(int position) {
    CbTerminal->setCurrentIndex(position);
    BtnIniciar->Click();
}
