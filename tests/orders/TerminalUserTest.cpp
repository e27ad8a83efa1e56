// The database user made for the terminals: every command works through it,
// the shop system's own code (procedures, triggers) still does its work on
// the terminal's behalf, and everything else is refused.
#include "CommandReply.h"
#include "DataModulo.h"
#include "Database.h"
#include "DatabaseError.h"
#include "Statement.h"
#include "StoreTestDatabase.h"
#include "TerminalUserLogin.h"
#include "Transaction.h"

#include <gtest/gtest.h>

namespace {

class TerminalUserTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.SeedBasicShop();
        for (const char* row : {
                 "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1, PRO_COMISSAOVAL, "
                 "PRO_ESTOQUE) VALUES (1, '789', 'CAFE', 0, 4.50, 0.50, 10)",
                 "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1) "
                 "VALUES (2, '150', 'QUEIJO', 0, 10.00)",
                 "INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_ATIVO, CON_TABELA) VALUES (2, 'ANA', 0, 0)",
                 "INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_ATIVO, FUN_COMANDA) VALUES (7, 'MARIA', 0, 7)",
                 "INSERT INTO COMANDASBLOQUEADAS (CBL_CODIGO, CBL_NUMERO) VALUES (1, 12)",
                 "UPDATE CONFIGURA SET CFG_PDV_BALANCA = 'D2PPPPPQQQQQQX'",
                 // The shop system's own stock keeping, run by the engine as items go in.
                 "CREATE TRIGGER COMANDASITENS_ESTOQUE FOR COMANDASITENS AFTER INSERT AS BEGIN "
                 "UPDATE PRODUTOS SET PRO_ESTOQUE = PRO_ESTOQUE - NEW.CIN_QTDE WHERE PRO_CODIGO = NEW.PRO_CODIGO; END",
             })
            db.Execute(row);
        terminal = GrantTerminalUser(db);
    }

    StoreTestDatabase db{StoreTestDatabase::Access::Server};
    DatabaseLogin terminal;
};

}  // namespace

TEST_F(TerminalUserTest, EveryCommandWorksThroughTheTerminalUser) {
    struct Step {
        const char* line;
        const char* reply;
    };
    const Step steps[] = {
        {"C1", "000-A COMANDA 1 FOI CRIADA!"},
        {"C1", "000-A COMANDA 1 FOI ABERTA!"},
        {"2001500012507", "000-PRODUTO QUEIJO ADICIONADO!"},  // R$ 125,00 by weight
        {"R789", "000-PRE\xC7O: R$ 4,50"},
        {"T2", "000-A TABELA DESTA COMANDA FOI ALTERADA PARA 2!"},
        {"B2", "000-CLIENTE SELECIONADO: ANA!"},
        {"U7", "000-FUNCION\xC1RIO SELECIONADO: MARIA!"},
        {"789", "000-PRODUTO CAFE ADICIONADO!"},
        {"Q2", "000-QUANTIDADE DO PRODUTO ALTERADA PARA 2"},
        {"S7", "000-COMISS\xC3O CONCEDIDA AO FUNCION\xC1RIO MARIA!"},
        {"S7",
         "603-A COMISS\xC3O DO PRODUTO J\xC1 FOI LAN\xC7"
         "ADA!"},
        {"V", "000-TOTAL DA COMANDA: R$ 134,00"},
        {"C12", "101-A COMANDA 12 EST\xC1 BLOQUEADA!"},
    };
    TDM dm(db.ConnectionString(), terminal.user, terminal.password);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line);
        EXPECT_EQ(RunCommand(dm, step.line), step.reply);
    }
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM COMANDASLOG").AsInteger(), 4);  // created, opened, two items
    EXPECT_EQ(db.Value("SELECT PRO_ESTOQUE FROM PRODUTOS WHERE PRO_CODIGO = 1").AsText(), Windows1252Text("9.000000"));
}

TEST_F(TerminalUserTest, TabsAreCreatedWhenTheUserMayNotUseTheTerminalsTable) {
    // Rights given before the table was there, or taken away since: the
    // terminals take turns on the settings row instead.
    db.Execute("REVOKE ALL ON COMANDASCRIACAO FROM USER " + terminal.user);
    TDM dm(db.ConnectionString(), terminal.user, terminal.password);
    EXPECT_EQ(RunCommand(dm, "C5"), "000-A COMANDA 5 FOI CRIADA!");
    EXPECT_EQ(RunCommand(dm, "C6"), "000-A COMANDA 6 FOI CRIADA!");
    EXPECT_EQ(db.Value("SELECT COUNT(*) || '/' || (SELECT COUNT(*) FROM COMANDASCRIACAO) FROM COMANDAS").AsText(),
              Windows1252Text("2/0"));
}

TEST_F(TerminalUserTest, RefusesWhatTheCommandsNeverDo) {
    db.Execute("INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO) VALUES (1, 5, 1)");
    const char* const refused[] = {
        "DELETE FROM COMANDAS",
        "DROP TABLE COMANDASITENS",
        "UPDATE PRODUTOS SET PRO_VALOR1 = 0.01",
        "SELECT * FROM COMANDASLOG",
        "INSERT INTO COMANDASLOG (LOG_CODIGO) VALUES (99)",
        "UPDATE CONFIGURA SET CFG_PDV_VALORMAXCOMANDA = 0",
        "UPDATE CAIXAFUN SET CAF_CREDITO = 1000",
        "CREATE TABLE ROUBO (X INTEGER)",
    };
    Database database(db.ConnectionString(), terminal.user, terminal.password);
    for (const char* sql : refused) {
        SCOPED_TRACE(sql);
        Transaction transaction(database);
        try {
            Statement(transaction, sql).Run();
            transaction.Commit();
            ADD_FAILURE() << "allowed";
        } catch (const DatabaseError& error) {
            const std::string message = error.what();
            EXPECT_TRUE(message.find("no permission") != std::string::npos ||
                        message.find("no privilege") != std::string::npos)
                << message;
        }
    }
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM COMANDAS").AsInteger(), 1);
}
