// The store's server goes away under the data module and comes back: the
// command that meets the outage fails as any database error does, and the
// first command after it connects again and goes on with the loaded tab.
// The server is a private one of the test, so the machine's shared server is
// never stopped.
#include "DataModulo.h"
#include "DatabaseError.h"
#include "PrivateFirebirdServer.h"
#include "StoreTestDatabase.h"

#include <gtest/gtest.h>

namespace {

// The failure a command meets, or "" when it succeeds.
std::string FailureOf(TDM& dm, const std::string& command) {
    try {
        dm.ProcessCommand(command);
        return "";
    } catch (const DatabaseError& error) {
        return error.IsConnectionLost() ? "connection lost" : error.what();
    }
}

}  // namespace

TEST(ConnectionOutageTest, NextCommandAfterAnOutageConnectsAgainAndKeepsTheTab) {
    PrivateFirebirdServer server;
    StoreTestDatabase db(server.Address(), server.User(), server.Password());
    db.SeedBasicShop();
    db.Execute(
        "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1, PRO_VALOR2) "
        "VALUES (1, '789', 'CAFE', 4.5, 5)");
    TDM dm(db.ConnectionString(), db.User(), db.Password());
    ASSERT_EQ(dm.ProcessCommand("C12"), "000-A COMANDA 12 FOI CRIADA!");
    ASSERT_EQ(dm.ProcessCommand("789"), "000-PRODUTO CAFE ADICIONADO!");

    server.Stop();
    EXPECT_EQ(FailureOf(dm, "789"), "connection lost");
    EXPECT_THROW(dm.ProcessCommand("789"), DatabaseError);  // still down: connecting again fails
    server.Start();
    // Meanwhile the cash desk moved the tab to price table 2.
    db.Execute("UPDATE COMANDAS SET COM_TABELA = 2");

    EXPECT_EQ(dm.ProcessCommand("789"), "000-PRODUTO CAFE ADICIONADO!");
    EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda 12:"));
    EXPECT_EQ(db.Value("SELECT COUNT(*) || '/' || SUM(CIN_VALOR) FROM COMANDASITENS").AsText(),
              Windows1252Text("2/9.50"));
    EXPECT_EQ(dm.ProcessCommand("V"), "000-TOTAL DA COMANDA: R$ 9,50");
}
