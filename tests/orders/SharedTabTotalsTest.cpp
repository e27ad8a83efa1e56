// Several terminals on one tab through the server: whatever a terminal had
// loaded, the tab's stored quantity and total are always the sums of its
// items as the store holds them, and its maximum total holds.
#include "CommandReply.h"
#include "DataModulo.h"
#include "StoreTestDatabase.h"

#include <gtest/gtest.h>

#include <future>
#include <latch>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Step {
    int terminal;
    const char* line;
    const char* reply;
};

struct SharedTabCase {
    const char* name;
    int terminals;
    std::vector<Step> steps;  // after every terminal opened tab 12, in turn
};

const char* const kAddedCafe = "000-PRODUTO CAFE ADICIONADO!";
const char* const kAddedSuco = "000-PRODUTO SUCO ADICIONADO!";
const char* const kGranted = "000-COMISS\xC3O CONCEDIDA AO FUNCION\xC1RIO MARIA!";

// CAFE (789) costs 4,50 at table 0 and 5,00 at table 2; SUCO (790) 5,50.
const SharedTabCase kSharedTabCases[] = {
    {"two terminals",
     2,
     {
         {1, "789", kAddedCafe},
         {1, "790", kAddedSuco},
         {0, "V", "000-TOTAL DA COMANDA: R$ 10,00"},  // terminal 0 loaded the tab before any item
         {0, "Q3", "000-QUANTIDADE DO PRODUTO ALTERADA PARA 3"},
         {1, "V", "000-TOTAL DA COMANDA: R$ 21,00"},
         {0, "T2", "000-A TABELA DESTA COMANDA FOI ALTERADA PARA 2!"},
         {1, "R789", "000-PRE\xC7O: R$ 5,00"},  // at the table terminal 0 chose
         {1, "789", kAddedCafe},
         {0, "B2", "000-CLIENTE SELECIONADO: ANA!"},
         {1, "S7", kGranted},
         {0, "790", kAddedSuco},
         {1, "U7", "000-FUNCION\xC1RIO SELECIONADO: MARIA!"},
         {1, "Q2", "000-QUANTIDADE DO PRODUTO ALTERADA PARA 2"},  // the item terminal 0 added
         {0, "V", "000-TOTAL DA COMANDA: R$ 37,00"},
     }},
    {"ten terminals",
     10,
     {
         {9, "789", kAddedCafe},
         {0, "V", "000-TOTAL DA COMANDA: R$ 4,50"},
         {5, "790", kAddedSuco},
         {3, "Q4", "000-QUANTIDADE DO PRODUTO ALTERADA PARA 4"},
         {7, "V", "000-TOTAL DA COMANDA: R$ 26,50"},
         {1, "T2", "000-A TABELA DESTA COMANDA FOI ALTERADA PARA 2!"},
         {8, "789", kAddedCafe},
         {2, "S7", kGranted},
         {6, "B2", "000-CLIENTE SELECIONADO: ANA!"},
         {4, "790", kAddedSuco},
         {0, "Q2", "000-QUANTIDADE DO PRODUTO ALTERADA PARA 2"},
         {9, "U7", "000-FUNCION\xC1RIO SELECIONADO: MARIA!"},
         {5, "V", "000-TOTAL DA COMANDA: R$ 42,50"},
         {3, "789", kAddedCafe},
         {8, "V", "000-TOTAL DA COMANDA: R$ 47,00"},
     }},
};

// The basic shop with CAFE and SUCO, client ANA and employee MARIA (badge 7).
void SeedSharedShop(const StoreTestDatabase& db) {
    db.SeedBasicShop();
    db.Execute(
        "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1, PRO_VALOR2, PRO_COMISSAOVAL) "
        "VALUES (1, '789', 'CAFE', 4.50, 5.00, 0.50)");
    db.Execute(
        "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1) VALUES (2, '790', 'SUCO', 5.50)");
    db.Execute("INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_ATIVO, CON_TABELA) VALUES (2, 'ANA', 0, 0)");
    db.Execute("INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_ATIVO, FUN_COMANDA) VALUES (7, 'MARIA', 0, 7)");
}

// A data module per terminal, each started on the settings as they stand.
std::vector<std::unique_ptr<TDM>> Terminals(const StoreTestDatabase& db, int count) {
    std::vector<std::unique_ptr<TDM>> terminals;
    for (int i = 0; i < count; ++i)
        terminals.push_back(std::make_unique<TDM>(db.ConnectionString(), db.User(), db.Password()));
    return terminals;
}

// Tab 12's quantity and total as stored, "quantity/total".
std::string Stored(const StoreTestDatabase& db) {
    return db.Value("SELECT COM_QTDE || '/' || COM_TOTAL FROM COMANDAS WHERE COM_NUMERO = 12").AsText().Bytes();
}

// The sums of tab 12's items in the same form.
std::string Summed(const StoreTestDatabase& db) {
    return db
        .Value(
            "SELECT COALESCE(SUM(CIN_QTDE), 0) || '/' || "
            "CAST(COALESCE(SUM(CIN_QTDE * (CIN_VALOR - CIN_DESCONTO + CIN_ACRESCIMO)), 0) AS NUMERIC(18,2)) "
            "FROM COMANDASITENS I JOIN COMANDAS C ON C.COM_CODIGO = I.COM_CODIGO WHERE C.COM_NUMERO = 12")
        .AsText()
        .Bytes();
}

}  // namespace

TEST(SharedTabTotalsTest, StoredTotalsAreTheItemsSumsWhateverEachTerminalLoaded) {
    for (const auto& c : kSharedTabCases) {
        SCOPED_TRACE(c.name);
        StoreTestDatabase db(StoreTestDatabase::Access::Server);
        SeedSharedShop(db);
        const auto terminals = Terminals(db, c.terminals);
        for (const auto& terminal : terminals)
            ASSERT_TRUE(RunCommand(*terminal, "C12").starts_with("000-A COMANDA 12 FOI"));
        for (const auto& step : c.steps) {
            SCOPED_TRACE(std::to_string(step.terminal) + ": " + step.line);
            EXPECT_EQ(RunCommand(*terminals[step.terminal], step.line), step.reply);
            EXPECT_EQ(Stored(db), Summed(db));
        }
    }
}

TEST(SharedTabTotalsTest, MaximumTotalHoldsWithTenTerminalsEachEndingWithTheTotal) {
    StoreTestDatabase db(StoreTestDatabase::Access::Server);
    SeedSharedShop(db);
    db.Execute("UPDATE CONFIGURA SET CFG_PDV_VALORMAXCOMANDA = 100");
    db.Execute(
        "INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO, COM_QTDE, COM_TOTAL) VALUES (1, 12, 1, 0, 0)");
    const auto terminals = Terminals(db, 10);
    const std::vector<std::string> lines = {"C12", "789", "V", "789", "V", "789", "V"};
    std::latch start(static_cast<std::ptrdiff_t>(terminals.size()));
    std::vector<std::future<std::vector<std::string>>> sessions;
    for (const auto& terminal : terminals) {
        sessions.push_back(std::async(std::launch::async, [&start, &lines, dm = terminal.get()] {
            start.arrive_and_wait();
            std::vector<std::string> replies;
            for (const auto& line : lines)
                replies.push_back(RunCommand(*dm, line));
            return replies;
        }));
    }
    int accepted = 0;
    for (auto& session : sessions) {
        for (const std::string& reply : session.get()) {
            if (reply == kAddedCafe) {
                ++accepted;
            } else if (!reply.starts_with("000-TOTAL DA COMANDA: R$ ") && reply != "000-A COMANDA 12 FOI ABERTA!") {
                EXPECT_EQ(reply, "104-O VALOR M\xC1XIMO DA COMANDA EXCEDIDO!");
            }
        }
    }
    EXPECT_EQ(accepted, 22);  // 22 x 4,50 = 99,00; one more would pass 100,00
    EXPECT_EQ(Stored(db), "22.000/99.00");
    EXPECT_EQ(Summed(db), "22.000/99.00");
}
