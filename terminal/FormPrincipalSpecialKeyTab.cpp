// The tab "TECLAS ESPECIAIS": the eight pairs of a code the terminal's
// special keys can send and the action it triggers.
#include "FormPrincipal.h"

#include "FormPrincipalWidgets.h"
#include "KeyMapping.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// In the order of TSpecialAction.
const char* const kSpecialActions[] = {
    "0 - ABRIR OU SELECIONAR COMANDA",
    "1 - CONSULTAR PRE\xC7O",
    "2 - SELECIONAR CLIENTE",
    "3 - SELECIONAR FUNCION\xC1RIO",
    "4 - TROCAR TABELA DE PRE\xC7O",
    "5 - ALTERAR QUANTIDADE PRODUTO",
    "6 - CONSULTAR VALOR DA COMANDA",
    "7 - LIMPAR VISOR",
    "8 - COMISS\xC3O P/ FUNCION\xC1RIO",
};

constexpr int kCodeWidth = 90;
constexpr int kActionWidth = 300;

}  // namespace

QWidget* TFrmPrincipal::CreateSpecialKeyTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(3);
    for (int i = 0; i < KeyMapping::kSpecialPairs; ++i) {
        const QString pair = QString::number(i + 1);
        EdtCodes[i] = new QLineEdit(tab);
        EdtCodes[i]->setObjectName("EdtC" + pair);
        EdtCodes[i]->setFixedWidth(kCodeWidth);
        CbActions[i] = NewPickList(kSpecialActions, tab);
        CbActions[i]->setObjectName("CbC" + pair);
        CbActions[i]->setFixedWidth(kActionWidth);
        grid->addWidget(NewLabel("C\xD3"
                                 "DIGO",
                                 tab),
                        i, 0);
        grid->addWidget(EdtCodes[i], i, 1);
        grid->addWidget(NewLabel("FUN\xC7\xC3O", tab), i, 2);
        grid->addWidget(CbActions[i], i, 3);
    }
    grid->setColumnStretch(4, 1);
    auto* column = new QVBoxLayout(tab);
    column->addWidget(NewWrappedText(
        "O microterminal FIT B\xC1SICO da Bematech possui um teclado com 49 teclas de A a Z, 0 a 9, ponto, "
        "v\xEDrgula, ENTER e mais 8 teclas especiais (F1, F2, F3, F4, F5, FX, DEL, ESC). Para estas especiais \xE9 "
        "poss\xEDvel configurar dentro do terminal qual o tipo de c\xF3"
        "digo elas enviar\xE3o. Desta forma voc\xEA "
        "pode configurar este utilit\xE1rio para acionar os comandos atrav\xE9s destas teclas ao inv\xE9s das teclas "
        "normalis (B, C, U, V...), deixando-as em branco para a associa\xE7\xE3o com c\xF3"
        "digos de produtos. Para "
        "fazer esta configura\xE7\xE3o habilite no terminal para que cada tecla envie um c\xF3"
        "digo personalizado e "
        "defina os c\xF3"
        "digos abaixo. Por exemplo, pode configurar o terminal para que a tecla F1 envie o "
        "c\xF3"
        "digo 200 e abaixo, defina que no c\xF3"
        "digo 200 ocorre a abertura de comanda. Assim ao inv\xE9s de "
        "digitar C+5+ENTER para abrir a comanda voc\xEA digita F1+5+ENTER.",
        QFont::Bold, tab));
    column->addLayout(grid);
    column->addStretch();
    return tab;
}
