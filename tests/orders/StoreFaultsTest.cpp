// What happens when the store changes beside us or a write fails.
#include "DatabaseError.h"
#include "OrderTabFixture.h"
#include "QZ_DBIBX.h"
#include "Transaction.h"

using StoreFaultsTest = OrderTabFixture;

TEST_F(StoreFaultsTest, TabWriteKeepsWhatTheCashDeskRecordedMeanwhile) {
    TabWithItem(12, 10, 1, 4.5);
    db.Execute("UPDATE COMANDAS SET COM_DINHEIROPAGO = 4.50, COM_CLIENTE = 'MARIA' WHERE COM_NUMERO = 12");

    dm->COM.Edit();
    dm->COM.SetField("COM_TABELA", 2);
    PostDataSet(dm->COM);

    EXPECT_EQ(db.Value("SELECT COM_DINHEIROPAGO || '/' || COM_CLIENTE || '/' || COM_TABELA FROM COMANDAS").AsText(),
              Windows1252Text("4.50/MARIA/2"));
    // The refresh after the write shows the row as stored.
    EXPECT_EQ(dm->COM.FieldByName("COM_DINHEIROPAGO").AsText(), Windows1252Text("4.50"));
}

TEST_F(StoreFaultsTest, FailedTabWriteLeavesNothingPendingForTheNextCommand) {
    dm->CreateComanda(12);
    Database cashDesk(db.ConnectionString(), db.User(), db.Password());
    Transaction payment(cashDesk);
    Statement(payment, "UPDATE COMANDAS SET COM_CHEQUEPAGO = 1").Run();  // holds the row

    dm->COM.Edit();
    dm->COM.SetField("COM_TABELA", 3);
    EXPECT_THROW(PostDataSet(dm->COM), DatabaseError);
    EXPECT_EQ(dm->COM.State(), DataSetState::dsBrowse);
    EXPECT_EQ(dm->COM.FieldByName("COM_TABELA").AsInteger(), 0);
    payment.Commit();

    // The next write of the tab carries only its own change.
    dm->COM.Edit();
    dm->COM.SetField("FUN_CODIGO", 1);
    PostDataSet(dm->COM);
    EXPECT_EQ(db.Value("SELECT COM_TABELA || '/' || COM_CHEQUEPAGO FROM COMANDAS").AsText(), Windows1252Text("0/1.00"));
}

TEST_F(StoreFaultsTest, FailedItemWriteIsNotCarriedIntoTheNextItem) {
    dm->CreateComanda(12);
    db.Execute("ALTER TABLE COMANDASITENS ADD CONSTRAINT CK_QTDE CHECK (CIN_QTDE < 100)");
    dm->FindProductByBarcode("789100");
    EXPECT_THROW(dm->AddItem(10, FixedPoint::FromInteger(100), FixedPoint::FromInteger(1)), DatabaseError);
    EXPECT_EQ(dm->CIN.State(), DataSetState::dsBrowse);
    EXPECT_TRUE(dm->CIN.IsEmpty());

    EXPECT_EQ(dm->AddItem(10, FixedPoint::FromInteger(2), FixedPoint::FromInteger(1)), csUsable);
    EXPECT_EQ(db.Value("SELECT COUNT(*) || '/' || SUM(CIN_QTDE) FROM COMANDASITENS").AsText(),
              Windows1252Text("1/2.000"));
    EXPECT_EQ(db.Value("SELECT COM_TOTAL FROM COMANDAS").AsText(), Windows1252Text("2.00"));
}

TEST_F(StoreFaultsTest, NullServerDateIsAnErrorNotATabWithoutDate) {
    db.Execute("CREATE OR ALTER PROCEDURE SP_SERVERDATE RETURNS (DATA DATE) AS BEGIN DATA = NULL; SUSPEND; END");
    EXPECT_THROW(dm->CreateComanda(12), DatabaseError);
    EXPECT_EQ(Count("COMANDAS"), 0);
    EXPECT_EQ(dm->COM.State(), DataSetState::dsBrowse);  // no half-made tab left pending
}
