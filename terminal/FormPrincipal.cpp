#include "FormPrincipal.h"

#include "EventGuard.h"
#include "IniFile.h"
#include "KeyTranslation.h"
#include "QZ_DIALOG.h"
#include "QtWindows1252.h"
#include "ServiceSettings.h"
#include "TerminalList.h"
#include "Trim.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QInputDialog>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>

namespace {

const char* const kProtocols[] = {"0 - VT100-STXETX (PADRÃO)", "1 - VT100-ESC"};
const char* const kSpecialActions[] = {
    "0 - ABRIR OU SELECIONAR COMANDA", "1 - CONSULTAR PREÇO",          "2 - SELECIONAR CLIENTE",
    "3 - SELECIONAR FUNCIONÁRIO",      "4 - TROCAR TABELA DE PREÇO",   "5 - ALTERAR QUANTIDADE PRODUTO",
    "6 - CONSULTAR VALOR DA COMANDA",  "7 - LIMPAR VISOR",             "8 - COMISSÃO P/ FUNCIONÁRIO",
};

// Paints a command letter's box light red (red 255, green 213, blue 213).
void MarkAsSystemFunction(QLineEdit* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(255, 213, 213));
    box->setPalette(palette);
}

// Selects a position, or nothing when the list has no such entry.
void SelectPosition(QComboBox* list, int position) {
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

QComboBox* NewList(const char* const* entries, size_t count, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (size_t i = 0; i < count; ++i)
        list->addItem(QString::fromUtf8(entries[i]));
    return list;
}

// Runs a handler of this window inside the exception barrier.
template <typename Handler>
auto Guarded(TFrmPrincipal* window, Handler handler) {
    return [window, handler] { RunGuarded([window, handler] { (window->*handler)(); }); };
}

}  // namespace

TFrmPrincipal::TFrmPrincipal(TerminalLibrary& library, Sleeper& sleeper, const std::string& programPath,
                             QWidget* parent)
    : QWidget(parent),
      VendorIniPath((std::filesystem::path(programPath).parent_path() / "BemaSB32.ini").string()),
      ownIniPath_(std::filesystem::path(programPath).replace_extension(".ini").string()),
      keyLog_((std::filesystem::path(programPath).parent_path() / "teclas.txt").string()),
      service_(library, sleeper, *this) {
    setWindowTitle(QString::fromUtf8("Microterminal Bematech - Fit Básico v 1.2.4"));
    AskTerminalAddress = [this]() -> std::optional<QString> {
        bool accepted = false;
        QString text = QInputDialog::getText(this, "IP DO TERMINAL", "Insira o IP do terminal:", QLineEdit::Normal,
                                             QString(), &accepted);
        return accepted ? std::optional<QString>(text) : std::nullopt;
    };

    auto* tabs = new QTabWidget(this);
    tabs->addTab(CreateConfigurationTab(), QString::fromUtf8("CONFIGURAÇÃO"));
    tabs->addTab(CreateLetterTab(), "CONFIGURAR TECLAS");
    tabs->addTab(CreateSpecialKeyTab(), "TECLAS ESPECIAIS");
    BtnLimpar = new QPushButton("LIMPAR VISOR", this);
    BtnIniciar = new QPushButton("INICIAR F2", this);
    BtnParar = new QPushButton("PARAR F3", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtnLimpar);
    buttons->addStretch();
    buttons->addWidget(BtnIniciar);
    buttons->addWidget(BtnParar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);

    TM = new QTimer(this);
    TM->setInterval(50);

    ConnectHandlers();
    LoadSettings();
}

QWidget* TFrmPrincipal::CreateConfigurationTab() {
    auto* tab = new QWidget;
    CbProtocolo = NewList(kProtocols, std::size(kProtocols), tab);
    CbProtocolo->setObjectName("CbProtocolo");
    EdtPorta = new QLineEdit(tab);
    EdtPorta->setObjectName("EdtPorta");
    EdtPorta->setValidator(new QIntValidator(EdtPorta));
    CbTerminal = new QComboBox(tab);
    CbTerminal->setObjectName("CbTerminal");
    QZButton2 = new QPushButton("+", tab);
    QZButton1 = new QPushButton("-", tab);
    PnComando = new QLabel("terminal desconectado", tab);
    PnComando->setObjectName("PnComando");
    CkLog = new QCheckBox(QString::fromUtf8("ATIVAR LOG (grava teclas recebidas no arquivo teclas.txt, marque apenas "
                                            "caso seja orientado pelo suporte)"),
                          tab);
    CkLog->setObjectName("CkLog");

    auto* grid = new QGridLayout(tab);
    grid->addWidget(new QLabel(QString::fromUtf8("Protocolo de Comunicação:"), tab), 0, 0, 1, 3);
    grid->addWidget(CbProtocolo, 1, 0, 1, 3);
    grid->addWidget(new QLabel(QString::fromUtf8("Porta de Comunicação do Microterminal:"), tab), 2, 0, 1, 3);
    grid->addWidget(EdtPorta, 3, 0, 1, 3);
    grid->addWidget(new QLabel(QString::fromUtf8("Selecione o terminal com o qual este utilitário irá interagir:"), tab),
                    4, 0, 1, 3);
    grid->addWidget(CbTerminal, 5, 0);
    grid->addWidget(QZButton2, 5, 1);
    grid->addWidget(QZButton1, 5, 2);
    grid->addWidget(PnComando, 6, 0, 1, 3);
    grid->addWidget(CkLog, 7, 0, 1, 3);
    grid->setRowStretch(8, 1);
    return tab;
}

QWidget* TFrmPrincipal::CreateLetterTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    constexpr int kRowsPerColumn = 9;  // A to I, J to R, S to Z
    for (int i = 0; i < 26; ++i) {
        const QString letter(QChar('A' + i));
        EdtLetters[i] = new QLineEdit(tab);
        EdtLetters[i]->setObjectName("Edt" + letter);
        if (IsCommandLetter('A' + i))
            MarkAsSystemFunction(EdtLetters[i]);
        grid->addWidget(new QLabel("TECLA " + letter + ":", tab), i % kRowsPerColumn, 2 * (i / kRowsPerColumn));
        grid->addWidget(EdtLetters[i], i % kRowsPerColumn, 2 * (i / kRowsPerColumn) + 1);
    }
    return tab;
}

QWidget* TFrmPrincipal::CreateSpecialKeyTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    for (int i = 0; i < KeyMapping::kSpecialPairs; ++i) {
        const QString pair = QString::number(i + 1);
        EdtCodes[i] = new QLineEdit(tab);
        EdtCodes[i]->setObjectName("EdtC" + pair);
        CbActions[i] = NewList(kSpecialActions, std::size(kSpecialActions), tab);
        CbActions[i]->setObjectName("CbC" + pair);
        grid->addWidget(new QLabel(QString::fromUtf8("CÓDIGO"), tab), i, 0);
        grid->addWidget(EdtCodes[i], i, 1);
        grid->addWidget(new QLabel(QString::fromUtf8("FUNÇÃO"), tab), i, 2);
        grid->addWidget(CbActions[i], i, 3);
    }
    return tab;
}

void TFrmPrincipal::ConnectHandlers() {
    connect(BtnIniciar, &QPushButton::clicked, this, Guarded(this, &TFrmPrincipal::BtnIniciarClick));
    connect(BtnParar, &QPushButton::clicked, this, Guarded(this, &TFrmPrincipal::BtnPararClick));
    connect(BtnLimpar, &QPushButton::clicked, this, Guarded(this, &TFrmPrincipal::BtnLimparClick));
    connect(TM, &QTimer::timeout, this, Guarded(this, &TFrmPrincipal::TMTimer));
    connect(QZButton2, &QPushButton::clicked, this, Guarded(this, &TFrmPrincipal::QZButton2Click));
    connect(QZButton1, &QPushButton::clicked, this, Guarded(this, &TFrmPrincipal::QZButton1Click));
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

void TFrmPrincipal::LoadSettings() {
    const ServiceSettings settings = LoadServiceSettings(IniFile(VendorIniPath), IniFile(ownIniPath_));
    SelectPosition(CbProtocolo, settings.protocol);
    EdtPorta->setText(QString::number(settings.port));
    CbTerminal->clear();
    for (const auto& entry : settings.terminals)
        CbTerminal->addItem(FromWindows1252(entry));
    CbTerminal->setCurrentIndex(-1);
    for (size_t i = 0; i < EdtLetters.size(); ++i)
        EdtLetters[i]->setText(FromWindows1252(settings.letters[i]));
    for (size_t i = 0; i < EdtCodes.size(); ++i) {
        EdtCodes[i]->setText(FromWindows1252(settings.specialCodes[i]));
        SelectPosition(CbActions[i], settings.specialActions[i]);
    }
}

void TFrmPrincipal::SaveSettings() {
    if (!WindowShown)
        return;
    ServiceSettings settings;
    settings.protocol = CbProtocolo->currentIndex();
    settings.port = EdtPorta->text().toInt();
    for (int i = 0; i < CbTerminal->count(); ++i)
        settings.terminals.push_back(ToWindows1252(CbTerminal->itemText(i)));
    for (size_t i = 0; i < EdtLetters.size(); ++i)
        settings.letters[i] = ToWindows1252(EdtLetters[i]->text());
    for (size_t i = 0; i < EdtCodes.size(); ++i) {
        settings.specialCodes[i] = ToWindows1252(EdtCodes[i]->text());
        settings.specialActions[i] = CbActions[i]->currentIndex();
    }
    IniFile vendorFile(VendorIniPath);
    IniFile ownFile(ownIniPath_);
    SaveServiceSettings(settings, vendorFile, ownFile);
}

void TFrmPrincipal::QZButton2Click() {
    const std::optional<QString> address = AskTerminalAddress();
    if (!address || IsBlank(ToWindows1252(*address)))
        return;
    std::vector<std::string> entries;
    for (int i = 0; i < CbTerminal->count(); ++i)
        entries.push_back(ToWindows1252(CbTerminal->itemText(i)));
    entries.push_back(NewTerminalEntry(ToWindows1252(*address)));
    OrderTerminalEntries(entries);
    CbTerminal->clear();
    for (const auto& entry : entries)
        CbTerminal->addItem(FromWindows1252(entry));
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
    return position < 0 ? -1 : TerminalNumber(ToWindows1252(CbTerminal->itemText(position)), position);
}

int TFrmPrincipal::SelectedProtocol() const { return CbProtocolo->currentIndex(); }

void TFrmPrincipal::ShowStatus(const std::string& text) { PnComando->setText(QString::fromStdString(text)); }

void TFrmPrincipal::SetTimerActive(bool active) {
    if (active)
        TM->start();
    else
        TM->stop();
}

void TFrmPrincipal::WriteKeyLog(const std::string& entry) {
    if (CkLog->isChecked())
        keyLog_.Write(entry);
}

std::string TFrmPrincipal::LetterMapping(char letter) const { return ToWindows1252(EdtLetters[letter - 'A']->text()); }

std::string TFrmPrincipal::SpecialCode(int pair) const { return ToWindows1252(EdtCodes[pair - 1]->text()); }

int TFrmPrincipal::SpecialAction(int pair) const { return CbActions[pair - 1]->currentIndex(); }
