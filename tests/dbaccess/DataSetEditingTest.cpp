// Editing a store-bound data set: states, the record buffer, change
// notices, and which columns an update writes.
#include "Database.h"
#include "DatabaseError.h"
#include "EditableDataSet.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"

#include <gtest/gtest.h>

#include <stdexcept>

class DataSetEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.Execute("INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_TABELA) VALUES (1, 'ANA', 2)");
        clients.SelectSQL = "SELECT * FROM CONTATOS";
        clients.ModifySQL = {"CONTATOS", {"CON_NOME", "CON_TABELA", "CON_ATIVO"}, "CON_CODIGO = :OLD_CON_CODIGO"};
    }

    StoreTestDatabase db;
    Database database{db.ConnectionString(), db.User(), db.Password()};
    Transaction transaction{database};
    EditableDataSet clients{transaction};
};

TEST_F(DataSetEditingTest, RecordBufferFollowsEditAndCancel) {
    EXPECT_TRUE(clients.FieldByName("CON_NOME").IsNull());  // closed: everything reads null
    int notices = 0;
    clients.AddDataChangeListener([&] { ++notices; });
    clients.Open();
    EXPECT_EQ(clients.State(), DataSetState::dsBrowse);
    EXPECT_THROW(clients.SetField("CON_NOME", Windows1252Text("BIA")), std::logic_error);
    EXPECT_THROW(clients.FieldByName("NOSUCH"), DatabaseError);

    clients.Edit();
    clients.SetField("con_nome", Windows1252Text("BIA"));
    EXPECT_EQ(clients.State(), DataSetState::dsEdit);
    EXPECT_TRUE(clients.IsModified("CON_NOME"));
    EXPECT_FALSE(clients.IsModified("CON_TABELA"));
    EXPECT_EQ(clients.FieldByName("CON_NOME").AsText(), Windows1252Text("BIA"));

    clients.Cancel();
    EXPECT_EQ(clients.State(), DataSetState::dsBrowse);
    EXPECT_EQ(clients.FieldByName("CON_NOME").AsText(), Windows1252Text("ANA"));
    EXPECT_EQ(notices, 4);  // open, edit, set, cancel
}

TEST_F(DataSetEditingTest, UpdateWritesOnlyTheColumnsSetSinceEdit) {
    EXPECT_EQ(clients.ModifySQL.TextFor({"CON_ATIVO", "CON_NOME"}),
              "update CONTATOS\nset\n  CON_NOME = :CON_NOME,\n  CON_ATIVO = :CON_ATIVO\nwhere\n  CON_CODIGO = "
              ":OLD_CON_CODIGO");
    clients.Open();
    db.Execute("UPDATE CONTATOS SET CON_TABELA = 4, CON_ATIVO = 1");
    clients.Edit();
    clients.SetField("CON_NOME", Windows1252Text("BIA"));
    clients.Post();
    transaction.CommitRetaining();
    EXPECT_EQ(db.Value("SELECT CON_NOME || CON_TABELA || CON_ATIVO FROM CONTATOS").AsText(), Windows1252Text("BIA41"));
    EXPECT_EQ(clients.FieldByName("CON_TABELA").AsInteger(), 2);  // no refresh statement: the row as read
}

TEST_F(DataSetEditingTest, PostWithNothingSetLeavesTheRowUntouched) {
    clients.Open();
    Database other(db.ConnectionString(), db.User(), db.Password());
    Transaction otherTransaction(other);
    Statement(otherTransaction, "UPDATE CONTATOS SET CON_ATIVO = 1").Run();  // row locked elsewhere
    clients.Edit();
    EXPECT_NO_THROW(clients.Post());
    EXPECT_EQ(clients.State(), DataSetState::dsBrowse);
}
