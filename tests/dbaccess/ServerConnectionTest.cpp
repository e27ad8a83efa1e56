// The same store reached through the server on 127.0.0.1.
#include "Database.h"
#include "DatabaseError.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"

#include <gtest/gtest.h>

TEST(ServerConnectionTest, WritesAndReadsWindows1252TextThroughTheServer) {
    StoreTestDatabase db(StoreTestDatabase::Access::Server);
    Database database(db.ConnectionString(), db.User(), db.Password());
    Transaction transaction(database);
    Statement insert(transaction, "INSERT INTO CONTATOS (CON_CODIGO, CON_NOME) VALUES (1, :NOME)");
    insert.SetParameter("NOME", Windows1252Text("JOS\xC9 DA CONCEI\xC7\xC3O"));
    insert.Run();
    transaction.CommitRetaining();
    EXPECT_EQ(db.Value("SELECT CON_NOME FROM CONTATOS").AsText(), Windows1252Text("JOS\xC9 DA CONCEI\xC7\xC3O"));
}

TEST(ServerConnectionTest, RefusedLoginCarriesTheServerMessage) {
    StoreTestDatabase db(StoreTestDatabase::Access::Server);
    try {
        Database database(db.ConnectionString(), db.User(), "wrong");
        FAIL() << "connected";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("password"), std::string::npos) << error.what();
    }
}

TEST(ServerConnectionTest, MissingFileCarriesTheEngineMessage) {
    try {
        Database database("/nonexistent/DBEMPRESA.FDB", "SYSDBA", "");
        FAIL() << "connected";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/DBEMPRESA.FDB"), std::string::npos) << error.what();
    }
}
