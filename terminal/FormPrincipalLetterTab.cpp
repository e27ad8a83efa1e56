// The tab "CONFIGURAR TECLAS": what each letter key of the terminal types,
// one small panel per letter in three columns (A to I, J to R, S to Z). The
// boxes of the command letters are light red.
#include "FormPrincipal.h"

#include "CommandLetters.h"
#include "FormPrincipalWidgets.h"
#include "QZ_CONTROLS.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>

namespace {

constexpr TColor kSystemFunctionColor = 14013951;  // light red: red 255, green 213, blue 213
constexpr int kLettersPerColumn = 9;
constexpr int kLabelWidth = 62;

QLineEdit* NewLetterBox(char letter, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("Edt") + QChar(letter));
    if (IsCommandLetter(letter)) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, ToQColor(kSystemFunctionColor));
        box->setPalette(palette);
    }
    return box;
}

// "TECLA A:" and the box, on a panel of their own.
QFrame* NewLetterPanel(char letter, QLineEdit* box, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 2, 6, 2);
    auto* label = new QLabel(QStringLiteral("TECLA ") + QChar(letter) + u':', panel);
    label->setFixedWidth(kLabelWidth);
    box->setParent(panel);
    row->addWidget(label);
    row->addWidget(box);
    return panel;
}

}  // namespace

QWidget* TFrmPrincipal::CreateLetterTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    for (int i = 0; i < 26; ++i) {
        const char letter = static_cast<char>('A' + i);
        EdtLetters[i] = NewLetterBox(letter, tab);
        grid->addWidget(NewLetterPanel(letter, EdtLetters[i], tab), i % kLettersPerColumn, i / kLettersPerColumn);
    }
    auto* column = new QVBoxLayout(tab);
    column->addWidget(
        NewWrappedText("Informe o c\xF3"
                       "digo do produto na frente da tecla abaixo. Para adiciona-lo automaticamente acrescente "
                       "o texto \"#13\" sem aspas no final do c\xF3"
                       "digo. Exemplo, informe 2526#13 na frente da tecla A para que "
                       "quando pressione A no terminal o produto com c\xF3"
                       "digo de barras 2526 seja adicionado na comanda. "
                       "ATEN\xC7\xC3O: os campos em vermelho representam fun\xE7\xF5"
                       "es do sistema, que podem deixar de "
                       "funcionar caso sejam alterados.",
                       QFont::Bold, tab));
    column->addLayout(grid);
    column->addStretch();
    return tab;
}
