#include "FormPrincipalHelpTab.h"

#include "FormPrincipalWidgets.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

struct HelpPair {
    const char* heading;
    const char* example;
};

const HelpPair kHelp[] = {
    {"TROCAR TABELA DE PRE\xC7O: tecle T+N\xDAMERO DA TABELA (de 0 a 5)",
     "EXEMPLO: digite T2 e tecle ENTER para mudar para a tabela 2"},
    {"SELECIONAR CLIENTE: tecle B+C\xD3"
     "DIGO DO CLIENTE",
     "EXEMPLO: digite B340 e tecle ENTER para selecionar o cliente c\xF3"
     "digo 340. \xC9 recomend\xE1vel que use "
     "cart\xE3o de cliente, o c\xF3"
     "digo \xE9 o mesmo do cadastro."},
    {"SELECIONAR FUNCION\xC1RIO: tecle U+COMANDA DO FUNCION\xC1RIO",
     "EXEMPLO: digite U400 e tecle ENTER para selecionar o funcion\xE1rio com a comanda 400. Voc\xEA pode definir "
     "o n\xFAmero da comanda no cadastro dele."},
    {"CONSULTAR PRE\xC7O: tecla R+C\xD3"
     "DIGO DE BARRAS",
     "EXEMPLO: digite R2526 e tecle ENTER para consultar o pre\xE7o do produto com c\xF3"
     "digo de barras 2526. "
     "O pre\xE7o pode variar em fun\xE7\xE3o da tabela atual da comanda."},
    {"ABRIR OU SELECIONAR COMANDA: tecle C+N\xDAMERO DA COMANDA",
     "EXEMPLO: digite C50 e tecle ENTER para abrir a comanda 50."},
    {"ALTERAR QUANTIDADE DO PRODUTO: tecle Q+QUANTIDADE",
     "EXEMPLO: digite Q0,2 e tecle ENTER para alterar a quantidade para 0,2 ou Q4 para alterar a quantidade "
     "para 4. Use a v\xEDrgula como separador decimal. Observa\xE7\xE3o: s\xF3 \xE9 poss\xEDvel alterar a "
     "quantidade do \xFAltimo produto adicionado na comanda."},
    {"CONSULTAR VALOR TOTAL DA COMANDA SELECIONADA: tecla V e depois ENTER",
     "EXEMPLO: digite V e tecle ENTER, n\xE3o h\xE1 par\xE2metros nesta fun\xE7\xE3o"},
    {"CONCEDER COMISS\xC3O PARA O FUNCION\xC1RIO: tecla S+COMANDA DO FUNCION\xC1RIO",
     "EXEMPLO: digite S450 e tecle ENTER para conceder comiss\xE3o para o funcion\xE1rio com comanda 450. Obs: "
     "a comiss\xE3o \xE9 sobre o \xFAltimo produto lan\xE7"
     "ado na comanda."},
};

constexpr int kSpaceBetweenPairs = 7;

}  // namespace

QWidget* CreateHelpTab() {
    auto* tab = new QWidget;
    auto* column = new QVBoxLayout(tab);
    column->setSpacing(1);
    for (const HelpPair& pair : kHelp) {
        column->addWidget(NewWrappedText(pair.heading, QFont::Bold, tab));
        column->addWidget(NewWrappedText(pair.example, QFont::Normal, tab));
        column->addSpacing(kSpaceBetweenPairs);
    }
    column->addStretch();
    return tab;
}
