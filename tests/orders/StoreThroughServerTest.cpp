// The data module on a store reached through the server on 127.0.0.1.
#include "DataModulo.h"
#include "StoreTestDatabase.h"

#include <gtest/gtest.h>

TEST(StoreThroughServerTest, TabIsCreatedThroughTheServer) {
    StoreTestDatabase db(StoreTestDatabase::Access::Server);
    db.SeedBasicShop();
    TDM dm(db.ConnectionString(), db.User(), db.Password());
    EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda:"));
    dm.CreateComanda(5);
    EXPECT_TRUE(dm.ComandaExists(5));
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM COMANDASLOG").AsInteger(), 1);
}
