// The data-access routines on the shared connection and transaction.
#include "DatabaseError.h"
#include "EditableDataSet.h"
#include "QZ_DBIBX.h"
#include "Query.h"
#include "Statement.h"
#include "SharedStoreConnection.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"

#include <gtest/gtest.h>

class DataAccessRoutinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_NOME, PRO_VALOR1) VALUES (1, 'CAF\xC9', 12.5)");
        db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_NOME) VALUES (2, 'SEM PRE\xC7O')");
    }

    // A cursor over CONTATOS keyed from GEN_CONTATOS_ID.
    void DefineClients(EditableDataSet& clients) {
        clients.SelectSQL = "SELECT * FROM CONTATOS";
        clients.InsertSQL = "insert into CONTATOS (CON_CODIGO, CON_NOME) values (:CON_CODIGO, :CON_NOME)";
        clients.ModifySQL = {"CONTATOS", {"CON_CODIGO", "CON_NOME"}, "CON_CODIGO = :OLD_CON_CODIGO"};
        clients.KeyField = "CON_CODIGO";
        clients.Generator = "GEN_CONTATOS_ID";
    }

    StoreTestDatabase db;
    SharedStoreConnection shared{db};
    Transaction& transaction = shared.transaction;
};

TEST_F(DataAccessRoutinesTest, ReadNumberGivesZeroForNoRowAndNull) {
    struct Case {
        const char* sql;
        long double expected;
    };
    const Case cases[] = {
        {"SELECT PRO_VALOR1 FROM PRODUTOS WHERE PRO_CODIGO = 1", 12.5L},
        {"SELECT PRO_VALOR1 FROM PRODUTOS WHERE PRO_CODIGO = 2", 0},
        {"SELECT PRO_VALOR1 FROM PRODUTOS WHERE PRO_CODIGO = 3", 0},
        {"SELECT SUM(PRO_VALOR1) AS PRO_VALOR1 FROM PRODUTOS WHERE PRO_CODIGO > 5", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(ReadNumber("PRO_VALOR1", c.sql), c.expected);
    }
}

TEST_F(DataAccessRoutinesTest, MissingFieldRaisesTheError) {
    try {
        ReadNumber("TOTAL", "SELECT PRO_VALOR1 FROM PRODUTOS WHERE PRO_CODIGO = 3");
        FAIL() << "no error";
    } catch (const DatabaseError& error) {
        EXPECT_STREQ(error.what(), "Field 'TOTAL' not found");
    }
    EXPECT_THROW(ReadValue("X", "SELECT NOSUCH FROM PRODUTOS"), DatabaseError);
    EXPECT_EQ(ReadNumber("PRO_VALOR1", "SELECT PRO_VALOR1 FROM PRODUTOS WHERE PRO_CODIGO = 1"), 12.5L);
}

TEST_F(DataAccessRoutinesTest, ReadValueKeepsTheTypeAndNull) {
    EXPECT_TRUE(ReadValue("PRO_NOME", "SELECT PRO_NOME FROM PRODUTOS WHERE PRO_CODIGO = 9").IsNull());
    EXPECT_EQ(ReadValue("PRO_NOME", "SELECT PRO_NOME FROM PRODUTOS WHERE PRO_CODIGO = 1").AsText(),
              Windows1252Text("CAF\xC9"));
    const FieldValue date = ReadValue("DATA", "SELECT DATA FROM SP_SERVERDATE");
    EXPECT_GT(date.AsDate().year, 2000);
}

TEST_F(DataAccessRoutinesTest, CreateQueryOpensOnlyWhenAsked) {
    auto closed = CreateQuery("SELECT PRO_CODIGO FROM PRODUTOS ORDER BY PRO_CODIGO", false);
    EXPECT_FALSE(closed->Active());
    EXPECT_EQ(closed->SQL, "SELECT PRO_CODIGO FROM PRODUTOS ORDER BY PRO_CODIGO");
    auto open = CreateQuery(closed->SQL, true);
    EXPECT_EQ(open->RecordCount(), 2u);
    EXPECT_EQ(open->FieldByName("pro_codigo").AsInteger(), 1);
    open->Last();
    EXPECT_EQ(open->FieldByName("PRO_CODIGO").AsInteger(), 2);
}

TEST_F(DataAccessRoutinesTest, PostAndCommitStartsTheTransactionAndKeepsItActive) {
    EXPECT_FALSE(transaction.Active());
    EditableDataSet clients(transaction);
    DefineClients(clients);
    clients.Open();
    EXPECT_TRUE(transaction.Active());  // opening starts it
    transaction.Rollback();             // posting must start it again
    clients.Append();
    clients.SetField("CON_NOME", Windows1252Text("JO\xC3O"));
    PostAndCommit(clients);

    EXPECT_TRUE(transaction.Active());
    EXPECT_EQ(clients.State(), DataSetState::dsBrowse);
    EXPECT_EQ(clients.FieldByName("CON_CODIGO").AsInteger(), 1);  // from the generator
    EXPECT_EQ(db.Value("SELECT CON_NOME FROM CONTATOS WHERE CON_CODIGO = 1").AsText(), Windows1252Text("JO\xC3O"));
}

TEST_F(DataAccessRoutinesTest, FailedPostRollsBackDropsThePendingRecordAndTheTransactionGoesOn) {
    db.Execute("INSERT INTO CONTATOS (CON_CODIGO, CON_NOME) VALUES (5, 'ANA')");
    EditableDataSet clients(transaction);
    DefineClients(clients);
    clients.Open();
    clients.Edit();
    clients.SetField("CON_NOME", Windows1252Text("BIA"));
    PostAndCommit(clients);
    clients.Append();
    clients.SetField("CON_CODIGO", 5);  // duplicate key
    clients.SetField("CON_NOME", Windows1252Text("OUTRA"));

    try {
        PostAndCommit(clients);
        FAIL() << "no error";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("violation of PRIMARY or UNIQUE KEY"), std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(transaction.Active());
    EXPECT_EQ(clients.State(), DataSetState::dsBrowse);
    EXPECT_EQ(clients.FieldByName("CON_NOME").AsText(), Windows1252Text("BIA"));
    EXPECT_EQ(ReadNumber("N", "SELECT COUNT(*) AS N FROM CONTATOS"), 1);
    EXPECT_EQ(db.Value("SELECT CON_NOME FROM CONTATOS").AsText(), Windows1252Text("BIA"));
}

TEST_F(DataAccessRoutinesTest, PostDataSetLeavesOtherDataSetsAlone) {
    // An uncommitted write in the shared transaction: posting a read-only
    // query must neither commit it nor undo it.
    Statement(transaction, "UPDATE PRODUTOS SET PRO_NOME = 'CH\xC1' WHERE PRO_CODIGO = 1").Run();
    Query query(transaction, "SELECT * FROM PRODUTOS");
    query.Open();
    EXPECT_NO_THROW(PostDataSet(query));
    EXPECT_EQ(query.State(), DataSetState::dsBrowse);
    EXPECT_TRUE(transaction.Active());
    EXPECT_EQ(ReadValue("PRO_NOME", "SELECT PRO_NOME FROM PRODUTOS WHERE PRO_CODIGO = 1").AsText(),
              Windows1252Text("CH\xC1"));

    transaction.Rollback();
    EXPECT_EQ(db.Value("SELECT PRO_NOME FROM PRODUTOS WHERE PRO_CODIGO = 1").AsText(), Windows1252Text("CAF\xC9"));
}

TEST_F(DataAccessRoutinesTest, RunScriptRunsEachStatementAndCommits) {
    RunScript(
        "EXECUTE PROCEDURE SP_ADDCOMANDALOG('12/09/2014','21:07:05',12,3.5,47.9,0,"
        "'COMANDA ABERTA NO MICROTERMINAL','CONSUMIDOR','MICROTERMINAL')",
        false);
    const RowSet log = db.Rows(
        "SELECT LOG_DATA, LOG_HORA, COM_NUMERO, COM_QTDE, COM_TOTAL, LOG_MENSAGEM, LOG_ORIGEM "
        "FROM COMANDASLOG");
    ASSERT_EQ(log.rows.size(), 1u);
    EXPECT_EQ(log.rows[0][0].AsDate(), (SqlDate{2014, 12, 9}));
    EXPECT_EQ(log.rows[0][1].AsTime(), (SqlTime{21, 7, 5, 0}));
    EXPECT_EQ(log.rows[0][2].AsInteger(), 12);
    EXPECT_EQ(log.rows[0][3].AsText(), Windows1252Text("3.500"));
    EXPECT_EQ(log.rows[0][4].AsText(), Windows1252Text("47.90"));
    EXPECT_EQ(log.rows[0][6].AsText(), Windows1252Text("MICROTERMINAL"));

    RunScript("UPDATE PRODUTOS SET PRO_NOME = 'A;B' WHERE PRO_CODIGO = 1^UPDATE PRODUTOS SET PRO_ATIVO = 1^  ", false);
    EXPECT_EQ(db.Value("SELECT PRO_NOME FROM PRODUTOS WHERE PRO_CODIGO = 1").AsText(), Windows1252Text("A;B"));
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM PRODUTOS WHERE PRO_ATIVO = 1").AsInteger(), 2);
}

TEST_F(DataAccessRoutinesTest, FailedScriptUndoesItsEarlierStatements) {
    EXPECT_THROW(RunScript("UPDATE PRODUTOS SET PRO_ATIVO = 1^INSERT INTO PRODUTOS (PRO_CODIGO) VALUES (1)", false),
                 DatabaseError);
    EXPECT_TRUE(transaction.Active());
    EXPECT_EQ(ReadNumber("N", "SELECT COUNT(*) AS N FROM PRODUTOS WHERE PRO_ATIVO = 1"), 0);
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM PRODUTOS WHERE PRO_ATIVO = 1").AsInteger(), 0);
}
