// Opening and creating tabs, adding items and totals.
#include "OrderTabFixture.h"
#include "QZ_DBIBX.h"

using ComandaLifecycleTest = OrderTabFixture;

TEST_F(ComandaLifecycleTest, NewTabGetsTheShopDefaults) {
    dm->CreateComanda(12);
    const RowSet tab = db.Rows(
        "SELECT COM_CODIGO, COM_NUMERO, COM_DATA, COM_HORA, CON_CODIGO, FUN_CODIGO, PDV_CODIGO, COM_DINHEIROPAGO, "
        "COM_CHEQUEPAGO, COM_CARTAOPAGO, COM_CARTAODEBPAGO, COM_TABELA, COM_CLIENTE, COM_QTDE, COM_TOTAL, "
        "COM_TIPO, COM_OBS, COM_TAXAENTREGA, COM_TAXASERVICO FROM COMANDAS");
    ASSERT_EQ(tab.rows.size(), 1u);
    const auto& row = tab.rows[0];
    EXPECT_EQ(row[0].AsInteger(), 1);  // from GEN_COMANDAS_ID
    EXPECT_EQ(row[1].AsInteger(), 12);
    EXPECT_EQ(row[2].AsDate(), db.Value("SELECT CURRENT_DATE FROM RDB$DATABASE").AsDate());
    EXPECT_FALSE(row[3].IsNull());
    EXPECT_EQ(row[4].AsInteger(), 1);
    EXPECT_EQ(row[5].AsInteger(), 1);
    EXPECT_TRUE(row[6].IsNull());
    for (int paid = 7; paid <= 10; ++paid)
        EXPECT_EQ(row[paid].AsText(), Windows1252Text("0.00"));
    EXPECT_EQ(row[11].AsInteger(), 0);
    EXPECT_EQ(row[12].AsText(), Windows1252Text("CONSUMIDOR"));
    EXPECT_EQ(row[13].AsText(), Windows1252Text("0.000"));
    EXPECT_EQ(row[14].AsText(), Windows1252Text("0.00"));
    EXPECT_EQ(row[15].AsInteger(), 1);
    EXPECT_TRUE(row[16].IsNull());
    EXPECT_EQ(row[17].AsText(), Windows1252Text("0.00"));
    EXPECT_TRUE(row[18].IsNull());

    // Loaded with the client's fields; no items; the creation is logged.
    EXPECT_EQ(dm->COM.FieldByName("CON_NOME").AsText(), Windows1252Text("CONSUMIDOR"));
    EXPECT_EQ(dm->COM.FieldByName("COM_CODIGO").AsInteger(), 1);
    EXPECT_TRUE(dm->CIN.Active());
    EXPECT_TRUE(dm->CIN.IsEmpty());
    EXPECT_EQ(db.Value("SELECT LOG_MENSAGEM || '/' || COM_NUMERO || '/' || COM_CLIENTE || '/' || LOG_ORIGEM "
                       "FROM COMANDASLOG")
                  .AsText(),
              Windows1252Text("COMANDA CRIADA NO MICROTERMINAL/12/CONSUMIDOR/MICROTERMINAL"));
}

TEST_F(ComandaLifecycleTest, ServiceFeeFollowsTheConfiguredRange) {
    struct Case {
        const char* settings;
        int number;
        bool fee;
    };
    const Case cases[] = {
        {"CFG_PDV_ACRESCPORC = 10, PRO_CODIGO_ACRESCIMO = 99, CFG_PDV_ACRESCOMANDAINI = 1, CFG_PDV_ACRESCOMANDAFIM = "
         "50",
         12, true},
        {"CFG_PDV_ACRESCPORC = 10, PRO_CODIGO_ACRESCIMO = 99, CFG_PDV_ACRESCOMANDAINI = 1, CFG_PDV_ACRESCOMANDAFIM = "
         "50",
         50, true},
        {"CFG_PDV_ACRESCPORC = 10, PRO_CODIGO_ACRESCIMO = 99, CFG_PDV_ACRESCOMANDAINI = 1, CFG_PDV_ACRESCOMANDAFIM = "
         "50",
         51, false},
        {"CFG_PDV_ACRESCPORC = 10, PRO_CODIGO_ACRESCIMO = 99, CFG_PDV_ACRESCOMANDAINI = 20, CFG_PDV_ACRESCOMANDAFIM = "
         "0",
         19, false},
        {"CFG_PDV_ACRESCPORC = 10, PRO_CODIGO_ACRESCIMO = 99, CFG_PDV_ACRESCOMANDAINI = 1, CFG_PDV_ACRESCOMANDAFIM = 0",
         9999, true},
        {"CFG_PDV_ACRESCPORC = 10, PRO_CODIGO_ACRESCIMO = NULL, CFG_PDV_ACRESCOMANDAINI = 1, CFG_PDV_ACRESCOMANDAFIM = "
         "50",
         12, false},
        {"CFG_PDV_ACRESCPORC = 0, PRO_CODIGO_ACRESCIMO = 99, CFG_PDV_ACRESCOMANDAINI = 0, CFG_PDV_ACRESCOMANDAFIM = 0",
         12, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.settings) + " / " + std::to_string(c.number));
        db.Execute(std::string("UPDATE CONFIGURA SET ") + c.settings);
        Restart();
        dm->CreateComanda(c.number);
        const FieldValue fee =
            db.Value("SELECT COM_TAXASERVICO FROM COMANDAS WHERE COM_NUMERO = " + std::to_string(c.number));
        EXPECT_EQ(fee.AsText(), Windows1252Text(c.fee ? "10.00" : ""));
        db.Execute("DELETE FROM COMANDAS");
    }
    EXPECT_EQ(Count("COMANDASITENS"), 0);  // the fee is never an item
}

TEST_F(ComandaLifecycleTest, WithoutSettingsRowNewTabsHaveNoClientOrEmployee) {
    db.Execute("DELETE FROM CONFIGURA");
    Restart();
    dm->CreateComanda(3);
    EXPECT_EQ(db.Value("SELECT COALESCE(CON_CODIGO, -1) + COALESCE(FUN_CODIGO, -1) FROM COMANDAS").AsInteger(), -2);
    EXPECT_TRUE(db.Value("SELECT COM_TAXASERVICO FROM COMANDAS").IsNull());
}

TEST_F(ComandaLifecycleTest, OpeningLoadsTheTabAndItsItemsAndLogsIt) {
    TabWithItem(12, 10, 2, 4.5);
    Restart();
    dm->OpenComanda(12);
    EXPECT_EQ(dm->COM.FieldByName("COM_NUMERO").AsInteger(), 12);
    EXPECT_EQ(dm->COM.FieldByName("COM_TOTAL").AsFixed().Raw(), 90000);
    EXPECT_EQ(dm->CIN.RecordCount(), 1u);
    EXPECT_EQ(db.Value("SELECT LOG_MENSAGEM || '/' || COM_QTDE || '/' || COM_TOTAL FROM COMANDASLOG "
                       "ORDER BY LOG_CODIGO DESC ROWS 1")
                  .AsText(),
              Windows1252Text("COMANDA ABERTA NO MICROTERMINAL/2.000/9.00"));
}

TEST_F(ComandaLifecycleTest, AddedItemIsWrittenLoggedAndTotalled) {
    TabWithItem(12, 10, 2, 4.5);
    const RowSet item = db.Rows(
        "SELECT CIN_CODIGO, COM_CODIGO, PRO_CODIGO, CIN_QTDE, CIN_VALOR, CIN_DESCONTO, "
        "CIN_ACRESCIMO, CIN_ABATECONSUMA, CIN_REF01 FROM COMANDASITENS");
    ASSERT_EQ(item.rows.size(), 1u);
    EXPECT_EQ(item.rows[0][0].AsInteger(), 1);
    EXPECT_EQ(item.rows[0][1].AsInteger(), 1);
    EXPECT_EQ(item.rows[0][2].AsInteger(), 10);
    EXPECT_EQ(item.rows[0][3].AsText(), Windows1252Text("2.000"));
    EXPECT_EQ(item.rows[0][4].AsText(), Windows1252Text("4.50"));
    EXPECT_EQ(item.rows[0][5].AsText(), Windows1252Text("0.00000"));
    EXPECT_EQ(item.rows[0][6].AsText(), Windows1252Text("0.00000"));
    EXPECT_EQ(item.rows[0][7].AsInteger(), 1);
    EXPECT_TRUE(item.rows[0][8].IsNull());

    EXPECT_EQ(dm->CIN.FieldByName("CIN_CODIGO").AsInteger(), 1);
    EXPECT_EQ(dm->COM.State(), DataSetState::dsBrowse);
    EXPECT_EQ(dm->COM.FieldByName("COM_TOTAL").AsText(), Windows1252Text("9.00"));
    EXPECT_EQ(db.Value("SELECT COM_QTDE || '/' || COM_TOTAL FROM COMANDAS").AsText(), Windows1252Text("2.000/9.00"));
    // The item's log entry carries the totals from before the item.
    EXPECT_EQ(db.Value("SELECT COM_QTDE || '/' || COM_TOTAL FROM COMANDASLOG "
                       "WHERE LOG_MENSAGEM = 'ADICIONADO PRODUTO NA COMANDA VIA MICROTERMINAL'")
                  .AsText(),
              Windows1252Text("0.000/0.00"));
}

TEST_F(ComandaLifecycleTest, MadeToOrderProductsCarryTheReferenceTexts) {
    db.Execute("UPDATE CONFIGURA SET CFG_MAT_REF01 = 'TAMANHO', CFG_MAT_REF06 = 'SABOR', CFG_MAT_REF02 = '" +
               std::string(60, 'X') + "'");
    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_TIPO, PRO_CUSTO) VALUES (50, 'PIZZA', 3, 0)");
    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_TIPO, PRO_CUSTO) VALUES (51, 'TORTA', 3, 0.01)");
    Restart();
    dm->CreateComanda(1);
    for (const char* barcode : {"PIZZA", "TORTA"}) {
        const int product = dm->FindProductByBarcode(barcode);
        ASSERT_EQ(dm->AddItem(product, FixedPoint::FromInteger(1), FixedPoint::FromInteger(30)), csUsable);
    }
    const RowSet refs = db.Rows(
        "SELECT CIN_REF01, CIN_REF02, CIN_REF03, CIN_REF06 FROM COMANDASITENS "
        "ORDER BY CIN_CODIGO");
    ASSERT_EQ(refs.rows.size(), 2u);
    EXPECT_EQ(refs.rows[0][0].AsText(), Windows1252Text("TAMANHO"));
    EXPECT_EQ(refs.rows[0][1].AsText(), Windows1252Text(std::string(50, 'X')));  // cut to the column's 50 characters
    EXPECT_TRUE(refs.rows[0][2].IsNull());
    EXPECT_EQ(refs.rows[0][3].AsText(), Windows1252Text("SABOR"));
    EXPECT_TRUE(refs.rows[1][0].IsNull());
    EXPECT_TRUE(refs.rows[1][3].IsNull());
}

TEST_F(ComandaLifecycleTest, ItemOnATabBlockedOrRemovedMeanwhileIsRefused) {
    dm->CreateComanda(12);
    dm->FindProductByBarcode("789100");
    EXPECT_EQ(dm->AddItem(10, FixedPoint::FromInteger(1), FixedPoint::FromInteger(1)), csUsable);
    db.Execute("INSERT INTO COMANDASBLOQUEADAS (CBL_CODIGO, CBL_NUMERO) VALUES (1, 12)");
    EXPECT_EQ(dm->AddItem(10, FixedPoint::FromInteger(1), FixedPoint::FromInteger(1)), csBlocked);
    db.Execute("DELETE FROM COMANDASBLOQUEADAS");
    db.Execute("DELETE FROM COMANDAS");
    EXPECT_EQ(dm->AddItem(10, FixedPoint::FromInteger(1), FixedPoint::FromInteger(1)), csCancelled);
    EXPECT_EQ(Count("COMANDASITENS"), 1);
}

TEST_F(ComandaLifecycleTest, TotalsComeFromAllItemsWithDiscountAndSurchargePerUnit) {
    TabWithItem(12, 10, 2, 4.5);
    db.Execute(
        "INSERT INTO COMANDASITENS (CIN_CODIGO, COM_CODIGO, PRO_CODIGO, CIN_QTDE, CIN_VALOR, CIN_DESCONTO, "
        "CIN_ACRESCIMO) VALUES (100, 1, 20, 3, 20.00, 1.5, 0.25)");
    dm->RecalculateTotals();
    EXPECT_EQ(dm->COM.State(), DataSetState::dsEdit);
    EXPECT_EQ(dm->COM.FieldByName("COM_QTDE").AsFixed(), FixedPoint::FromInteger(5));
    EXPECT_EQ(dm->COM.FieldByName("COM_TOTAL").AsFixed().Raw(), 9 * 10000 + 3 * 187500);  // 9 + 3 x 18.75
    dm->COM.Cancel();

    dm->CreateComanda(13);  // no items: the sums are null and give 0
    dm->RecalculateTotals();
    EXPECT_EQ(dm->COM.FieldByName("COM_TOTAL").AsFixed(), FixedPoint());
}

TEST_F(ComandaLifecycleTest, TotalsWithoutALoadedTabChangeNothing) {
    dm->RecalculateTotals();
    EXPECT_EQ(dm->COM.State(), DataSetState::dsInactive);
    db.Execute("INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO) VALUES (100, 8, 999)");
    dm->OpenComanda(8);  // no row: the client is missing
    dm->RecalculateTotals();
    EXPECT_EQ(dm->COM.State(), DataSetState::dsBrowse);
    EXPECT_EQ(Count("COMANDAS"), 1);
}

TEST_F(ComandaLifecycleTest, TabWriteRereadsTheJoinedClientFields) {
    db.Execute(
        "INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_ATIVO, CON_TABELA, CON_CREDITOTIPO, "
        "CON_CREDITOCONSUMO) VALUES (2, 'MARIA', 0, 3, 2, 50)");
    dm->CreateComanda(12);
    dm->COM.Edit();
    dm->COM.SetField("CON_CODIGO", 2);
    PostDataSet(dm->COM);
    EXPECT_EQ(dm->COM.FieldByName("CON_NOME").AsText(), Windows1252Text("MARIA"));
    EXPECT_EQ(dm->COM.FieldByName("CON_CREDITOTIPO").AsInteger(), 2);
    EXPECT_EQ(dm->COM.FieldByName("CON_CREDITOCONSUMO").AsText(), Windows1252Text("50.00"));
}
