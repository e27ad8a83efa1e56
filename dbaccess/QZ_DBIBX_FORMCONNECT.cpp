#include "QZ_DBIBX_FORMCONNECT.h"

#include "BoldArial.h"
#include "ConnectButtonGlyphs.h"
#include "Database.h"
#include "EventGuard.h"
#include "IcmpPing.h"
#include "ProgramFiles.h"
#include "QZ_BUTTON.h"
#include "QZ_CONTROLS.h"
#include "QZ_DBIBX_SETTINGS.h"
#include "QZ_DBIBX_CONNECT.h"
#include "QZ_DIALOG.h"
#include "QZ_GRAPHICS.h"
#include "QZ_WINDOWS.h"
#include "Trim.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace {

constexpr int kWidth = 520;
constexpr int kCollapsedHeight = 376;
constexpr int kExpandedHeight = 480;
constexpr int kCollapsedAdvancedHeight = 41;
constexpr int kExpandedAdvancedHeight = 153;
constexpr int kTitleHeight = 32;
constexpr int kButtonBarHeight = 41;
constexpr int kMargin = 6;
constexpr int kButtonWidth = 95;
constexpr int kButtonHeight = 33;
constexpr int kButtonGap = 3;
constexpr int kAccepted = 1;
constexpr int kCancelled = 2;

const char* const kToolName = "MervakTools";

QFont WindowFont(bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void SetColors(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

QWidget* FilledPanel(QWidget* parent, const QColor& background) {
    auto* panel = new QWidget(parent);
    SetColors(panel, QPalette::Window, background);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* Label(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

// A centred, word-wrapped note in the blue of the window's explanations.
QLabel* Note(QWidget* parent, const QString& text, const QRect& geometry) {
    QLabel* note = Label(parent, text, geometry);
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    SetColors(note, QPalette::WindowText, QColor(0x00, 0x80, 0xFF));
    return note;
}

QLineEdit* Edit(QWidget* parent, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    return edit;
}

// Runs a handler of this window inside the exception barrier.
template <typename Handler>
auto Guarded(TFrmIBXConnect* window, Handler handler) {
    return [window, handler] { RunGuarded([window, handler] { (window->*handler)(); }); };
}

}  // namespace

TFrmIBXConnect::TFrmIBXConnect(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FrmIBXConnect"));
    setWindowTitle(QStringLiteral("Configuração do Banco de Dados"));
    setFont(WindowFont());
    Tema.SetThemeColors(tcAzul);
    CreateControls();
    CreateButtons();
    SetTabOrder();
    NameControls();
    ShowAdvanced(false);
    if (const QScreen* screen = this->screen())
        move(HalfRoundedToEven(screen->geometry().width() - kWidth), y());
}

void TFrmIBXConnect::CreateControls() {
    PnMestre = FilledPanel(this, QColor(0xFB, 0xFB, 0xFB));
    SetColors(PnMestre, QPalette::WindowText, QColor(0x4A, 0x4A, 0x4A));

    QZPanel1 = new TQZPanel(PnMestre);
    QZPanel1->setGeometry(0, 0, kWidth, kTitleHeight);
    QZPanel1->SetTheme(&Tema);
    QZPanel1->setFont(BoldArial(19));
    QZPanel1->SetCaption(QStringLiteral("Configurações de Conexão"));

    CreateServerGroup();
    CreatePathGroup();
    CreateAdvancedArea();
}

void TFrmIBXConnect::CreateServerGroup() {
    GroupBox2 = new QGroupBox(
        QStringLiteral("Nº IP (caso o banco de dados esteja neste computador o IP deve ser 127.0.0.1)"), PnMestre);
    GroupBox2->setGeometry(kMargin, 38, kWidth - 2 * kMargin, 92);
    Label3 = Label(GroupBox2, QStringLiteral("Número IP do servidor:"), QRect(12, 28, 130, 16));
    EdtIP = Edit(GroupBox2, QRect(140, 24, 180, 22));
    Label5 = Note(GroupBox2, QStringLiteral("Você deverá liberar a porta 3050 caso possua um FIREWALL no servidor. "),
                  QRect(8, 56, GroupBox2->width() - 16, 30));
    Label5->setFont(WindowFont(true));
}

void TFrmIBXConnect::CreatePathGroup() {
    GroupBox3 =
        new QGroupBox(QStringLiteral("Caminho do banco de dados (não use mapeamentos ou caminhos de rede)"), PnMestre);
    GroupBox3->setGeometry(kMargin, 136, kWidth - 2 * kMargin, 136);
    Label2 = Label(GroupBox3, QStringLiteral("Local do Banco de Dados no Servidor:"), QRect(12, 24, 300, 16));
    EdtLocal = Edit(GroupBox3, QRect(12, 42, GroupBox3->width() - 24, 22));
    Label4 = Note(GroupBox3,
                  QStringLiteral("Informe o diretório onde o banco de dados está instalado. Se este não for o "
                                 "servidor você deve informar o mesmo caminho que informou no servidor."),
                  QRect(8, 72, GroupBox3->width() - 16, 56));
}

void TFrmIBXConnect::CreateAdvancedArea() {
    PNAV = new QFrame(PnMestre);
    PNAV->setFrameStyle(QFrame::Box | QFrame::Sunken);
    const int inner = kWidth - 2 * kMargin;

    SpeedButton1 = new QPushButton(QStringLiteral("CONFIGURAÇÕES AVANÇADAS (Somente para usuários avançados)"), PNAV);
    SpeedButton1->setGeometry(4, 4, inner - 8, kButtonHeight);
    SpeedButton1->setFlat(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setFont(WindowFont(true));
    SetColors(SpeedButton1, QPalette::ButtonText, QColor(0x80, 0x00, 0x00));

    CkConfig = new QCheckBox(QStringLiteral("Usar configurações avançadas (desmarque esta opção se não usar)"), PNAV);
    CkConfig->setGeometry(12, 44, inner - 24, 20);
    LblUsuario = Label(PNAV, QStringLiteral("Usuário:"), QRect(12, 74, 50, 16));
    EdtUsuario = Edit(PNAV, QRect(64, 70, 170, 22));
    LblSenha = Label(PNAV, QStringLiteral("Senha:"), QRect(256, 74, 40, 16));
    EdtSenha = Edit(PNAV, QRect(298, 70, 170, 22));
    EdtSenha->setEchoMode(QLineEdit::Password);
    EdtSenha->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    LblAV = Label(PNAV,
                  QStringLiteral("Caso você tenha especificado uma senha no banco de dados, você pode usá-la aqui "
                                 "para fazer a conexão. (só para usuários avançados, não é a senha de acesso do "
                                 "sistema \"OPE/OPE\")"),
                  QRect(8, 100, inner - 16, 46));
    LblAV->setAlignment(Qt::AlignCenter);
    LblAV->setWordWrap(true);

    connect(SpeedButton1, &QPushButton::clicked, this, Guarded(this, &TFrmIBXConnect::SpeedButton1Click));
    connect(CkConfig, &QCheckBox::toggled, this, Guarded(this, &TFrmIBXConnect::CkConfigClick));
}

void TFrmIBXConnect::CreateButtons() {
    Panel2 = FilledPanel(this, QColor(0xEA, 0xEA, 0xEA));
    BtnTestar = new TQZButton(Panel2);
    BtnConectar = new TQZButton(Panel2);
    BtnTools = new TQZButton(Panel2);
    BtnPing = new TQZButton(Panel2);
    BtnCancelar = new TQZButton(Panel2);
    const struct {
        TQZButton* button;
        const char* caption;
        TConnectGlyph glyph;
    } buttons[] = {
        {BtnTestar, "Testar F2", TConnectGlyph::Test},        {BtnConectar, "Conectar F3", TConnectGlyph::Connect},
        {BtnTools, "MervakTools F4", TConnectGlyph::Tools},   {BtnPing, "Ping F5", TConnectGlyph::Ping},
        {BtnCancelar, "Cancelar ESC", TConnectGlyph::Cancel},
    };
    constexpr int count = static_cast<int>(std::size(buttons));
    int left = kWidth - kMargin - count * kButtonWidth - (count - 1) * kButtonGap;
    for (const auto& b : buttons) {
        b.button->setGeometry(left, (kButtonBarHeight - kButtonHeight) / 2, kButtonWidth, kButtonHeight);
        b.button->SetTheme(&Tema);
        b.button->setFont(WindowFont());
        b.button->SetCaption(QString::fromUtf8(b.caption));
        b.button->SetGlyph(ConnectButtonGlyph(b.glyph));
        left += kButtonWidth + kButtonGap;
    }
    BtnConectar->SetModalResult(kAccepted);
    BtnCancelar->SetModalResult(kCancelled);

    connect(BtnTestar, &TQZButton::clicked, this, Guarded(this, &TFrmIBXConnect::BtnTestarClick));
    connect(BtnTools, &TQZButton::clicked, this, Guarded(this, &TFrmIBXConnect::BtnToolsClick));
    connect(BtnPing, &TQZButton::clicked, this, Guarded(this, &TFrmIBXConnect::BtnPingClick));
}

void TFrmIBXConnect::SetTabOrder() {
    QWidget* const order[] = {EdtIP,     EdtLocal,    CkConfig,    EdtUsuario, EdtSenha,
                              BtnTestar, BtnConectar, BtnCancelar, BtnTools,   BtnPing};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TFrmIBXConnect::NameControls() {
    const std::pair<QWidget*, const char*> controls[] = {
        {PnMestre, "PnMestre"},     {QZPanel1, "QZPanel1"},       {GroupBox2, "GroupBox2"},
        {Label3, "Label3"},         {EdtIP, "EdtIP"},             {Label5, "Label5"},
        {GroupBox3, "GroupBox3"},   {Label2, "Label2"},           {EdtLocal, "EdtLocal"},
        {Label4, "Label4"},         {PNAV, "PNAV"},               {SpeedButton1, "SpeedButton1"},
        {CkConfig, "CkConfig"},     {LblUsuario, "LblUsuario"},   {EdtUsuario, "EdtUsuario"},
        {LblSenha, "LblSenha"},     {EdtSenha, "EdtSenha"},       {LblAV, "LblAV"},
        {Panel2, "Panel2"},         {BtnTestar, "BtnTestar"},     {BtnConectar, "BtnConectar"},
        {BtnTools, "BtnTools"},     {BtnPing, "BtnPing"},         {BtnCancelar, "BtnCancelar"},
    };
    for (const auto& [control, name] : controls)
        control->setObjectName(QString::fromLatin1(name));
}

bool TFrmIBXConnect::ShowModal() {
    FormShow();
    return exec() == kAccepted;
}

void TFrmIBXConnect::FormShow() {
    const ConnectionSettings settings = ReadConnectionSettings(FIniPath, FDBFileName);
    EdtIP->setText(QString::fromStdString(settings.IP));
    EdtLocal->setText(QString::fromStdString(settings.Local));
    EdtUsuario->setText(QString::fromStdString(settings.User));
    EdtSenha->setText(QString::fromStdString(settings.Password));
    CkConfig->setChecked(settings.UseConfig);
    EdtIP->setEnabled(!QFileInfo(EdtLocal->text()).isFile());
    EnableCredentials(CkConfig->isChecked());
    ShowAdvanced(false);
}

void TFrmIBXConnect::ShowAdvanced(bool visible) {
    CkConfig->setEnabled(visible);
    EdtUsuario->setEnabled(CkConfig->isChecked() && visible);
    EdtSenha->setEnabled(CkConfig->isChecked() && visible);
    LblAV->setVisible(visible);

    const int height = visible ? kExpandedHeight : kCollapsedHeight;
    const int advancedHeight = visible ? kExpandedAdvancedHeight : kCollapsedAdvancedHeight;
    setFixedSize(kWidth, height);
    PnMestre->setGeometry(0, 0, kWidth, height - kButtonBarHeight);
    PNAV->setGeometry(kMargin, PnMestre->height() - kMargin - advancedHeight, kWidth - 2 * kMargin, advancedHeight);
    Panel2->setGeometry(0, height - kButtonBarHeight, kWidth, kButtonBarHeight);
    if (const QScreen* screen = this->screen())
        move(x(), HalfRoundedToEven(screen->geometry().height() - height));
}

std::string TFrmIBXConnect::ComposeDatabaseName() {
    if (quorvel::IsBlank(EdtIP->text().toStdString()))
        EdtIP->setText(QString::fromLatin1(kDefaultIP));
    return EdtIP->text().toStdString() + ":" + EdtLocal->text().toStdString();
}

ConnectionSettings TFrmIBXConnect::EnteredSettings() const {
    return {EdtIP->text().toStdString(), EdtLocal->text().toStdString(), EdtUsuario->text().toStdString(),
            EdtSenha->text().toStdString(), CkConfig->isChecked()};
}

void TFrmIBXConnect::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (EdtIP->isEnabled() ? EdtIP : EdtLocal)->setFocus(Qt::OtherFocusReason);
}

void TFrmIBXConnect::reject() { done(kCancelled); }

void TFrmIBXConnect::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F4:
    case Qt::Key_F5: RunGuarded([this, key = event->key()] { FormKeyDown(key); }); return;
    default: QDialog::keyPressEvent(event);
    }
}

void TFrmIBXConnect::FormKeyDown(int key) {
    switch (key) {
    case Qt::Key_Escape: BtnCancelar->Click(); break;
    case Qt::Key_F2: BtnTestar->Click(); break;
    case Qt::Key_F3: BtnConectar->Click(); break;
    case Qt::Key_F4: BtnTools->Click(); break;
    case Qt::Key_F5: BtnPing->Click(); break;
    default: break;
    }
}

void TFrmIBXConnect::BtnTestarClick() {
    if (!FDatabase)
        throw std::logic_error("the connection dialog has no database");
    PrepareLogin(*FDatabase, ComposeDatabaseName(), CkConfig->isChecked(), EdtUsuario->text().toStdString(),
                 EdtSenha->text().toStdString());
    if (OpenShowingError(*FDatabase)) {
        InfoBox("Conexão", "Conexão realizada com sucesso!");
        FDatabase->Close();
    }
}

void TFrmIBXConnect::BtnPingClick() {
    const int time = PingMilliseconds(EdtIP->text().toStdString(), PingTimeoutMs);
    if (time >= 0)
        InfoBox("Sucesso", "Ping realizado com sucesso!\rTempo de resposta: " + std::to_string(time) + " ms");
    else
        ErrorBox("Erro", "O IP " + EdtIP->text().toStdString() + " parece não estar acessível!");
}

void TFrmIBXConnect::BtnToolsClick() {
    const std::string path = ProgramFolder() + kToolName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw std::runtime_error("O programa " + path + " não foi encontrado!");
    RunProgram(path, {});
}

void TFrmIBXConnect::SpeedButton1Click() { ShowAdvanced(!CkConfig->isEnabled()); }

void TFrmIBXConnect::CkConfigClick() { EnableCredentials(CkConfig->isChecked()); }

void TFrmIBXConnect::EnableCredentials(bool enabled) {
    for (QWidget* widget : std::initializer_list<QWidget*>{LblUsuario, EdtUsuario, LblSenha, EdtSenha})
        widget->setEnabled(enabled);
}
