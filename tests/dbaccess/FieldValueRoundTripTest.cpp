// Values written through statement parameters come back unchanged and typed.
#include "Database.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"

#include <gtest/gtest.h>

class FieldValueRoundTripTest : public ::testing::Test {
protected:
    StoreTestDatabase db;
    Database database{db.ConnectionString(), db.User(), db.Password()};
    Transaction transaction{database};
};

TEST_F(FieldValueRoundTripTest, EveryColumnKindComesBackAsWritten) {
    Statement insert(transaction,
                     "INSERT INTO COMANDASITENS (CIN_CODIGO, CIN_QTDE, CIN_VALOR, CIN_DESCONTO, CIN_OBS, "
                     "CIN_DATAENTREGA, CIN_HORAENTREGA, CIN_REFOBS) VALUES "
                     "(:CIN_CODIGO, :CIN_QTDE, :CIN_VALOR, :CIN_DESCONTO, :CIN_OBS, :CIN_DATAENTREGA, "
                     ":CIN_HORAENTREGA, :CIN_REFOBS)");
    insert.SetParameter("CIN_CODIGO", 7);
    insert.SetParameter("CIN_QTDE", FixedPoint::FromRaw(12345));    // 1.2345 into 3 places
    insert.SetParameter("CIN_VALOR", FixedPoint::FromRaw(-99999));  // -9.9999 into 2 places
    insert.SetParameter("CIN_DESCONTO", FieldValue::Decimal{123456, 5});
    insert.SetParameter("CIN_OBS", Windows1252Text("A\xC7\xC3O 'X'"));  // AÇÃO 'X'
    insert.SetParameter("CIN_DATAENTREGA", SqlDate{2014, 12, 9});
    insert.SetParameter("CIN_HORAENTREGA", SqlTime{21, 7, 5, 0});
    insert.Run();

    const RowSet rows = Statement(transaction,
                                  "SELECT CIN_QTDE, CIN_VALOR, CIN_DESCONTO, CIN_OBS, CIN_DATAENTREGA, "
                                  "CIN_HORAENTREGA, CIN_REFOBS FROM COMANDASITENS")
                            .Run();
    ASSERT_EQ(rows.rows.size(), 1u);
    const auto& row = rows.rows[0];
    EXPECT_EQ(rows.columns[0], "CIN_QTDE");
    EXPECT_EQ(row[0], FieldValue(FieldValue::Decimal{1235, 3}));  // the column's scale applies
    EXPECT_EQ(row[1], FieldValue(FieldValue::Decimal{-1000, 2}));
    EXPECT_EQ(row[2].AsFixed().Raw(), 12346);
    EXPECT_EQ(row[3].AsText(), Windows1252Text("A\xC7\xC3O 'X'"));
    EXPECT_EQ(row[4].AsDate(), (SqlDate{2014, 12, 9}));
    EXPECT_EQ(row[5].AsTime(), (SqlTime{21, 7, 5, 0}));
    EXPECT_TRUE(row[6].IsNull());
    EXPECT_EQ(row[6].AsText(), Windows1252Text(""));
    EXPECT_EQ(row[6].AsInteger(), 0);
}

TEST_F(FieldValueRoundTripTest, TextBlobsAndPaddedCharsReadAsText) {
    Statement insert(transaction,
                     "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_BALUNIDADE, PRO_RECEITA) "
                     "VALUES (1, :UNIDADE, :RECEITA)");
    const Windows1252Text recipe(std::string(70000, '\xE9'));  // longer than one blob segment
    insert.SetParameter("UNIDADE", Windows1252Text("U"));
    insert.SetParameter("RECEITA", recipe);
    insert.Run();
    const RowSet rows = Statement(transaction, "SELECT PRO_BALUNIDADE, PRO_RECEITA, PRO_FOTO FROM PRODUTOS").Run();
    EXPECT_EQ(rows.rows.at(0)[0].AsText(), Windows1252Text("U"));
    EXPECT_EQ(rows.rows.at(0)[1].AsText(), recipe);
    EXPECT_TRUE(rows.rows.at(0)[2].IsNull());
}
