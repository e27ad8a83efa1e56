#pragma once
// A fresh shop database for one test, made from schema/shop.sql in a
// temporary folder and removed with the object. Embedded databases are
// copies of one database built per test program; server databases are made
// through the server on 127.0.0.1 with the test login that
// prepare-test-server.sh creates.
//
// Execute and Rows work on a connection of their own, opened for the one
// statement and committed at once, the way the shop system's programs change
// the store beside ours.
#include "FieldValue.h"
#include "Statement.h"
#include "TemporaryFolder.h"

#include <filesystem>
#include <string>

class StoreTestDatabase {
public:
    enum class Access { Embedded, Server };
    // Whether each commit waits until its pages are on disk. Shops' databases
    // force writes (the engine's default); tests run several times faster
    // without, and lose nothing by it.
    enum class Writes { Deferred, Forced };

    explicit StoreTestDatabase(Access access = Access::Embedded, Writes writes = Writes::Deferred);
    // A database made through the server at `server` ("host" or
    // "host/port") with that login.
    StoreTestDatabase(const std::string& server, const std::string& user, const std::string& password);
    ~StoreTestDatabase();
    StoreTestDatabase(const StoreTestDatabase&) = delete;
    StoreTestDatabase& operator=(const StoreTestDatabase&) = delete;

    const std::string& ConnectionString() const { return connectionString_; }
    const std::string& User() const { return user_; }
    const std::string& Password() const { return password_; }

    // Runs one statement (text in Windows-1252) and commits it.
    void Execute(const std::string& sql) const;
    RowSet Rows(const std::string& sql) const;
    // The first column of the first row; null when there is none.
    FieldValue Value(const std::string& sql) const;

    // The rows most tests start from: client 1 "CONSUMIDOR", employee 1
    // "CAIXA" with badge 1, and a settings row naming both (no limits, no
    // service fee, empty scale template).
    void SeedBasicShop() const;

private:
    // Builds the database through the server with the login set.
    void MakeThroughServer(const std::string& server, Writes writes);

    TemporaryFolder folder_{"quorvel-store"};
    std::string connectionString_;
    std::string user_;
    std::string password_;
};
