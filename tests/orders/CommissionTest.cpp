// Commission for an employee on the last item of the loaded tab.
#include "CommandReply.h"
#include "OrderTabFixture.h"

class CommissionTest : public OrderTabFixture {
protected:
    void SetUp() override {
        OrderTabFixture::SetUp();
        db.Execute(
            "INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_ATIVO, FUN_COMANDA) "
            "VALUES (7, 'JO\xC3O', 0, 70)");
        db.Execute(
            "INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_ATIVO, FUN_COMANDA) "
            "VALUES (8, 'ANA', 0, 80)");
    }

    // The commission command for the employee with that badge, on the last
    // item of the loaded tab.
    std::string Grant(int badge) { return RunCommand(*dm, "S" + std::to_string(badge)); }
};

TEST_F(CommissionTest, PercentageIsTakenOnTheUnitPriceOnce) {
    db.Execute("UPDATE PRODUTOS SET PRO_COMISSAOPOR = 5 WHERE PRO_CODIGO = 20");
    TabWithItem(12, 20, 3, 20.00);
    EXPECT_EQ(Grant(70), "000-COMISS\xC3O CONCEDIDA AO FUNCION\xC1RIO JO\xC3O!");
    const RowSet credit = db.Rows(
        "SELECT CAF_CODIGO, FUN_CODIGO, CAF_CREDITO, CAF_DEBITO, CAF_FINANCEIRO, CAF_MOTIVO, "
        "CAI_ID, CAF_DATA, CAF_HORA FROM CAIXAFUN");
    ASSERT_EQ(credit.rows.size(), 1u);
    const auto& row = credit.rows[0];
    EXPECT_EQ(row[0].AsInteger(), 1);
    EXPECT_EQ(row[1].AsInteger(), 7);
    EXPECT_EQ(row[2].AsText(), Windows1252Text("1.00"));
    EXPECT_EQ(row[3].AsText(), Windows1252Text("0.00"));
    EXPECT_EQ(row[4].AsInteger(), 0);
    EXPECT_EQ(row[5].AsText(), Windows1252Text("COMISS\xC3O P/ FUNCION\xC1RIO CONCEDIDA NO TERMINAL"));
    EXPECT_EQ(row[6].AsText(), Windows1252Text("C1I1"));
    EXPECT_FALSE(row[7].IsNull());
    EXPECT_FALSE(row[8].IsNull());
    EXPECT_FALSE(dm->FUN.Active());
    EXPECT_FALSE(dm->CAF.Active());
    EXPECT_FALSE(dm->PRO.Active());
}

TEST_F(CommissionTest, FixedAmountWinsAndCountsDiscountNowhere) {
    db.Execute("UPDATE PRODUTOS SET PRO_COMISSAOVAL = 2.5, PRO_COMISSAOPOR = 50 WHERE PRO_CODIGO = 10");
    TabWithItem(12, 10, 4, 4.5);
    Grant(80);
    EXPECT_EQ(db.Value("SELECT CAF_CREDITO FROM CAIXAFUN").AsText(), Windows1252Text("2.50"));
}

TEST_F(CommissionTest, PercentageIncludesSurchargeAndDiscount) {
    db.Execute("UPDATE PRODUTOS SET PRO_COMISSAOPOR = 10 WHERE PRO_CODIGO = 20");
    TabWithItem(12, 20, 1, 20.00);
    db.Execute("UPDATE COMANDASITENS SET CIN_ACRESCIMO = 5, CIN_DESCONTO = 2.5");
    Grant(70);
    EXPECT_EQ(db.Value("SELECT CAF_CREDITO FROM CAIXAFUN").AsText(), Windows1252Text("2.25"));
}

TEST_F(CommissionTest, SecondGrantOnTheSameItemIsRefusedWhoeverAsks) {
    db.Execute("UPDATE PRODUTOS SET PRO_COMISSAOVAL = 1 WHERE PRO_CODIGO = 10");
    TabWithItem(12, 10, 1, 4.5);
    Grant(70);
    EXPECT_EQ(Grant(70),
              "603-A COMISS\xC3O DO PRODUTO J\xC1 FOI LAN\xC7"
              "ADA!");
    EXPECT_EQ(Grant(80),
              "603-A COMISS\xC3O DO PRODUTO J\xC1 FOI LAN\xC7"
              "ADA!");
    EXPECT_EQ(Count("CAIXAFUN"), 1);
    EXPECT_FALSE(dm->CAF.Active());
    EXPECT_TRUE(dm->FUN.Active());  // kept after a refusal
}

TEST_F(CommissionTest, ProductWithoutCommissionIsRefused) {
    TabWithItem(12, 10, 1, 4.5);
    EXPECT_EQ(Grant(70), "601-O PRODUTO SELECIONADO N\xC3O \xC9 COMISSIONADO!");
    EXPECT_FALSE(dm->PRO.Active());
    EXPECT_EQ(Count("CAIXAFUN"), 0);
}
