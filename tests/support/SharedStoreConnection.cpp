#include "SharedStoreConnection.h"

#include "QZ_DBIBX.h"

SharedStoreConnection::SharedStoreConnection(const StoreTestDatabase& store)
    : database(store.ConnectionString(), store.User(), store.Password()) {
    SharedDatabase = &database;
    SharedTransaction = &transaction;
}

SharedStoreConnection::~SharedStoreConnection() {
    SharedDatabase = nullptr;
    SharedTransaction = nullptr;
}
