#pragma once
// A connection to a test database and its one transaction, registered as
// this thread's shared pair of the data-access routines for the life of the
// object, the way the data module registers its own.
#include "Database.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"

class SharedStoreConnection {
public:
    explicit SharedStoreConnection(const StoreTestDatabase& store);
    ~SharedStoreConnection();  // unregisters the pair
    SharedStoreConnection(const SharedStoreConnection&) = delete;
    SharedStoreConnection& operator=(const SharedStoreConnection&) = delete;

    Database database;
    Transaction transaction{database};
};
