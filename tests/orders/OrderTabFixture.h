#pragma once
// A data module on a fresh shop database holding the basic rows (client 1,
// employee 1, the settings row) and a few products.
#include "DataModulo.h"
#include "StoreTestDatabase.h"

#include <gtest/gtest.h>

#include <memory>

class OrderTabFixture : public ::testing::Test {
protected:
    void SetUp() override {
        db.SeedBasicShop();
        db.Execute(
            "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_ABATECONSUMA, "
            "PRO_VALOR1, PRO_VALOR2, PRO_VALOR3) VALUES (10, '789100', 'CAF\xC9', 0, 1, 4.50, 5.00, NULL)");
        db.Execute(
            "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1) "
            "VALUES (20, '789200', 'SUCO', 20.00)");
        Restart();
    }

    // A new data module, which reads the settings row afresh.
    void Restart() {
        dm.reset();
        dm = std::make_unique<TDM>(db.ConnectionString(), db.User(), db.Password());
    }

    // Creates tab `number` and adds `quantity` of product `product` at `price`.
    void TabWithItem(int number, int product, double quantity, double price) {
        dm->CreateComanda(number);
        ASSERT_EQ(dm->FindProductByBarcode(product == 10 ? "789100" : "789200"), product);
        ASSERT_EQ(dm->AddItem(product, FixedPoint::FromDouble(quantity), FixedPoint::FromDouble(price)), csUsable);
    }

    long long Count(const std::string& from) const { return db.Value("SELECT COUNT(*) FROM " + from).AsInteger(); }

    StoreTestDatabase db;
    std::unique_ptr<TDM> dm;
};
