// The one transaction: read committed, no wait, kept alive by retaining.
#include "DatabaseError.h"
#include "EditableDataSet.h"
#include "QZ_DBIBX.h"
#include "SharedStoreConnection.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"
#include "WorkUnit.h"

#include <gtest/gtest.h>

class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.Execute("INSERT INTO CONTATOS (CON_CODIGO, CON_NOME) VALUES (1, 'ANA')");
        clients.SelectSQL = "SELECT * FROM CONTATOS";
        clients.ModifySQL = {"CONTATOS", {"CON_NOME", "CON_ATIVO"}, "CON_CODIGO = :OLD_CON_CODIGO"};
        clients.Open();
    }

    StoreTestDatabase db;
    SharedStoreConnection shared{db};
    Transaction& transaction = shared.transaction;
    EditableDataSet clients{transaction};
};

TEST_F(TransactionTest, SeesWhatOthersCommitted) {
    EXPECT_EQ(ReadValue("CON_NOME", "SELECT CON_NOME FROM CONTATOS").AsText(), Windows1252Text("ANA"));
    db.Execute("UPDATE CONTATOS SET CON_NOME = 'BIA'");
    EXPECT_EQ(ReadValue("CON_NOME", "SELECT CON_NOME FROM CONTATOS").AsText(), Windows1252Text("BIA"));
    EXPECT_EQ(clients.FieldByName("CON_NOME").AsText(), Windows1252Text("ANA"));  // rows already read stay as read
}

TEST_F(TransactionTest, RowLockedElsewhereFailsAtOnceAndTheNextWriteWorks) {
    Database other(db.ConnectionString(), db.User(), db.Password());
    Transaction otherTransaction(other);
    Statement(otherTransaction, "UPDATE CONTATOS SET CON_ATIVO = 1").Run();  // not committed: row locked

    clients.Edit();
    clients.SetField("CON_NOME", Windows1252Text("BIA"));
    try {
        PostAndCommit(clients);
        FAIL() << "no error";
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(error.IsLockConflict()) << error.what();
        EXPECT_NE(std::string(error.what()).find("update conflicts with concurrent update"), std::string::npos);
    }
    EXPECT_TRUE(transaction.Active());
    EXPECT_EQ(clients.State(), DataSetState::dsBrowse);

    otherTransaction.Commit();
    clients.Edit();
    clients.SetField("CON_NOME", Windows1252Text("CAU"));
    PostAndCommit(clients);
    EXPECT_EQ(db.Value("SELECT CON_NOME || CON_ATIVO FROM CONTATOS").AsText(), Windows1252Text("CAU1"));
}

TEST_F(TransactionTest, RollbackRetainingUndoesOnlyUncommittedWork) {
    RunScript("UPDATE CONTATOS SET CON_NOME = 'BIA'", false);
    RunScript("UPDATE CONTATOS SET CON_ATIVO = 1", true);  // plain: left uncommitted
    transaction.RollbackRetaining();
    EXPECT_TRUE(transaction.Active());
    EXPECT_EQ(ReadValue("X", "SELECT CON_NOME || COALESCE(CON_ATIVO, 0) AS X FROM CONTATOS").AsText(),
              Windows1252Text("BIA0"));
}

TEST_F(TransactionTest, ReconnectingEndsTheTransactionAndItStartsAgainOnDemand) {
    RunScript("UPDATE CONTATOS SET CON_ATIVO = 1", true);  // uncommitted
    EXPECT_TRUE(transaction.Active());
    shared.database.Open(db.ConnectionString(), db.User(), db.Password());
    EXPECT_FALSE(transaction.Active());
    EXPECT_EQ(ReadNumber("CON_ATIVO", "SELECT CON_ATIVO FROM CONTATOS"), 0);
    EXPECT_TRUE(transaction.Active());
}

TEST_F(TransactionTest, WritesOfAUnitCommitTogetherOrNotAtAll) {
    const auto stored = [this] { return db.Value("SELECT CON_NOME || COALESCE(CON_ATIVO, 0) FROM CONTATOS").AsText(); };
    {
        WorkUnit command(transaction);
        clients.Edit();
        clients.SetField("CON_NOME", Windows1252Text("BIA"));
        PostAndCommit(clients);
        {
            WorkUnit operation(transaction);  // nested: commits with the command
            RunScript("UPDATE CONTATOS SET CON_ATIVO = 1", false);
            operation.Commit();
        }
        EXPECT_EQ(stored(), Windows1252Text("ANA0"));
        command.Commit();
    }
    EXPECT_EQ(stored(), Windows1252Text("BIA1"));
    {
        WorkUnit command(transaction);
        RunScript("UPDATE CONTATOS SET CON_ATIVO = 2", false);
        clients.Edit();
        clients.SetField("CON_NOME", Windows1252Text("CAU"));
        PostAndCommit(clients);
    }  // ends without Commit: an error on its way
    EXPECT_TRUE(transaction.Active());
    EXPECT_EQ(ReadValue("X", "SELECT CON_NOME || CON_ATIVO AS X FROM CONTATOS").AsText(), Windows1252Text("BIA1"));
}

TEST_F(TransactionTest, AUnitKnowsWhatItInsertedAndTheStoreTellsWhetherItIsThere) {
    Database checker(db.ConnectionString(), db.User(), db.Password());
    clients.InsertSQL = "INSERT INTO CONTATOS (CON_CODIGO, CON_NOME) VALUES (:CON_CODIGO, :CON_NOME)";
    clients.KeyField = "CON_CODIGO";
    WorkUnit command(transaction);
    clients.Append();
    clients.SetField("CON_CODIGO", std::int64_t{2});
    clients.SetField("CON_NOME", Windows1252Text("BIA"));
    PostAndCommit(clients);
    ASSERT_EQ(command.InsertedRows().size(), 1u);
    const InsertedRow row = command.InsertedRows().front();
    EXPECT_EQ(row.table + " " + row.keyColumn + " " + std::to_string(row.key.AsInteger()), "CONTATOS CON_CODIGO 2");

    // Still being written: waited for (here until the wait runs out), never taken as absent.
    EXPECT_THROW(RowIsStored(checker, row, 1), DatabaseError);
    command.Commit();
    EXPECT_TRUE(RowIsStored(checker, row, 1));
    EXPECT_FALSE(RowIsStored(checker, {"CONTATOS", "CON_CODIGO", FieldValue(std::int64_t{3})}, 1));
}
