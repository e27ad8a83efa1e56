// The tab "CONFIGURAÇÃO": protocol, port, terminal list with its add and
// remove buttons, notes, the status panel and the key log switch.
#include "FormPrincipal.h"

#include "FormPrincipalWidgets.h"
#include "QZ_BUTTON.h"
#include "QZ_DBEDIT.h"
#include "QtWindows1252.h"
#include "TerminalListGlyphs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char* const kProtocols[] = {"0 - VT100-STXETX (PADR\xC3O)", "1 - VT100-ESC"};

constexpr int kListWidth = 320;
constexpr int kPortWidth = 110;
constexpr int kGlyphButtonSize = 24;
constexpr int kStatusHeight = 30;
constexpr int kSpaceBetweenGroups = 10;

TQZButton* NewGlyphButton(const QImage& glyph, QWidget* parent) {
    auto* button = new TQZButton(parent);
    button->setFixedSize(kGlyphButtonSize, kGlyphButtonSize);
    button->SetGlyph(glyph);
    return button;
}

}  // namespace

QWidget* TFrmPrincipal::CreateConfigurationTab() {
    auto* tab = new QWidget;
    CbProtocolo = NewPickList(kProtocols, tab);
    CbProtocolo->setObjectName("CbProtocolo");
    CbProtocolo->setFixedWidth(kListWidth);
    CbProtocolo->setCurrentIndex(0);

    EdtPorta = new TQZEdit(tab);
    EdtPorta->setObjectName("EdtPorta");
    EdtPorta->SetEditStyle(esInteger);
    EdtPorta->SetEditFormat("0");
    EdtPorta->SetEditDisplay("0");
    EdtPorta->setFixedWidth(kPortWidth);

    CbTerminal = NewPickList({}, tab);
    CbTerminal->setObjectName("CbTerminal");
    CbTerminal->setFixedWidth(kListWidth);
    QZButton2 = NewGlyphButton(AddTerminalGlyph(), tab);
    QZButton2->setObjectName("QZButton2");
    QZButton1 = NewGlyphButton(RemoveTerminalGlyph(), tab);
    QZButton1->setObjectName("QZButton1");
    auto* terminalRow = new QHBoxLayout;
    terminalRow->addWidget(CbTerminal);
    terminalRow->addWidget(QZButton2);
    terminalRow->addWidget(QZButton1);
    terminalRow->addStretch();

    QLabel* notes = NewWrappedText(
        "Observa\xE7\xF5"
        "es: o sistema trabalha com o microterminal FIT B\xC1SICO em "
        "rede. Configure o IP e a PORTA nas configura\xE7\xF5"
        "es de rede do micro "
        "terminal antes de usar este m\xF3"
        "dulo (consulte manual do terminal)",
        QFont::Bold, tab);
    notes->setAlignment(Qt::AlignCenter);

    PnComando = NewLabel("terminal desconectado", tab);
    PnComando->setObjectName("PnComando");
    PnComando->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PnComando->setAlignment(Qt::AlignCenter);
    PnComando->setFixedHeight(kStatusHeight);

    CkLog = new QCheckBox(FromWindows1252(Windows1252Text("ATIVAR LOG (grava teclas recebidas no arquivo teclas.txt, "
                                                          "marque apenas caso seja orientado pelo suporte)")),
                          tab);
    CkLog->setObjectName("CkLog");

    auto* column = new QVBoxLayout(tab);
    column->addWidget(NewLabel("Protocolo de Comunica\xE7\xE3o:", tab));
    column->addWidget(CbProtocolo);
    column->addSpacing(kSpaceBetweenGroups);
    column->addWidget(NewLabel("Porta de Comunica\xE7\xE3o do Microterminal:", tab));
    column->addWidget(EdtPorta);
    column->addSpacing(kSpaceBetweenGroups);
    column->addWidget(NewLabel("Selecione o terminal com o qual este utilit\xE1rio ir\xE1 interagir:", tab));
    column->addLayout(terminalRow);
    column->addSpacing(kSpaceBetweenGroups);
    column->addWidget(notes);
    column->addSpacing(kSpaceBetweenGroups);
    column->addWidget(PnComando);
    column->addSpacing(kSpaceBetweenGroups);
    column->addWidget(CkLog);
    column->addStretch();
    return tab;
}
