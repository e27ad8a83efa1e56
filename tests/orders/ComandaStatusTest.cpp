// Products, prices and the tests of a tab number.
#include "OrderTabFixture.h"

using ProductLookupTest = OrderTabFixture;

TEST_F(ProductLookupTest, FindsProductsByBarcodeAndLeavesThemLoaded) {
    EXPECT_EQ(dm->FindProductByBarcode("789100"), 10);
    EXPECT_EQ(dm->PRO.FieldByName("PRO_NOME").AsText(), Windows1252Text("CAF\xC9"));
    EXPECT_EQ(dm->FindProductByBarcode("000"), 0);
    EXPECT_TRUE(dm->PRO.FieldByName("PRO_NOME").IsNull());

    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME) VALUES (30, 'D''AGUA', 'AGUA')");
    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS) VALUES (0, 'ZERO')");
    EXPECT_EQ(dm->FindProductByBarcode("D'AGUA"), 30);
    EXPECT_EQ(dm->FindProductByBarcode("ZERO"), 0);
}

TEST_F(ProductLookupTest, PriceFollowsTheLoadedTabsTable) {
    struct Case {
        int table;
        bool tableZero;
        std::int64_t raw;
    };
    const Case cases[] = {
        {0, false, 45000}, {1, false, 45000},
        {2, false, 50000}, {3, false, 45000},  // PRO_VALOR3 null: falls back to PRO_VALOR1
        {2, true, 45000},
    };
    dm->CreateComanda(5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        db.Execute("UPDATE COMANDAS SET COM_TABELA = " + std::to_string(c.table));
        dm->OpenComanda(5);
        EXPECT_EQ(dm->GetProductPrice(10, c.tableZero).Raw(), c.raw);
    }
    EXPECT_EQ(dm->GetProductPrice(99, false), FixedPoint());  // no such product: no row
    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO) VALUES (40)");
    EXPECT_EQ(dm->GetProductPrice(40, true), FixedPoint());  // null price
}

TEST_F(ProductLookupTest, PriceWithoutLoadedTabUsesTableZero) {
    EXPECT_EQ(dm->GetProductPrice(10, false).Raw(), 45000);
}

using ComandaStatusTest = OrderTabFixture;

TEST_F(ComandaStatusTest, BlockedAndExistingNumbersAreReadAfresh) {
    EXPECT_FALSE(dm->IsComandaBlocked(7));
    EXPECT_FALSE(dm->ComandaExists(7));
    db.Execute("INSERT INTO COMANDASBLOQUEADAS (CBL_CODIGO, CBL_NUMERO) VALUES (1, 7)");
    db.Execute("INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO) VALUES (100, 7, 1)");
    EXPECT_TRUE(dm->IsComandaBlocked(7));
    EXPECT_FALSE(dm->CBL.Active());
    EXPECT_TRUE(dm->ComandaExists(7));
    EXPECT_FALSE(dm->ComandaExists(0));
}

TEST_F(ComandaStatusTest, StatusOfTheLoadedTab) {
    EXPECT_EQ(dm->CurrentComandaStatus(), csNotLoaded);
    dm->CreateComanda(12);
    EXPECT_EQ(dm->CurrentComandaStatus(), csUsable);

    db.Execute("DELETE FROM COMANDAS");
    EXPECT_EQ(dm->CurrentComandaStatus(), csCancelled);
    db.Execute("INSERT INTO COMANDASBLOQUEADAS (CBL_CODIGO, CBL_NUMERO) VALUES (1, 12)");
    EXPECT_EQ(dm->CurrentComandaStatus(), csBlocked);  // blocked wins over removed
}

TEST_F(ComandaStatusTest, TabWhoseClientIsMissingLoadsAsNoTab) {
    db.Execute("INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO) VALUES (100, 8, 999)");
    EXPECT_TRUE(dm->ComandaExists(8));
    dm->OpenComanda(8);
    EXPECT_EQ(dm->COM.FieldByName("COM_NUMERO").AsInteger(), 0);
    EXPECT_EQ(dm->CurrentComandaStatus(), csNotLoaded);
    EXPECT_EQ(Count("COMANDASLOG"), 0);
}
