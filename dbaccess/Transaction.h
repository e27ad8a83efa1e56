#pragma once
// The one long-lived transaction of a connection: read committed, record
// versions, no wait (a row locked by another transaction fails at once with
// a lock conflict). It starts on demand and is kept alive by
// commit-retaining and rollback-retaining.
#include <memory>

class Database;

class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();  // rolls back whatever is still pending
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    Database& Owner() const { return database_; }
    bool Active() const;
    // Starts the transaction when it is not active. Throws DatabaseError.
    void EnsureStarted();
    // Makes the work permanent and keeps the transaction (and its context)
    // active. Throws DatabaseError; throws std::logic_error when not active.
    void CommitRetaining();
    // Undoes the work since the last commit and keeps the transaction active.
    void RollbackRetaining();
    // Ends the transaction (used before closing the connection).
    void Commit();
    void Rollback() noexcept;

    // True while a unit of work is open on this transaction (WorkUnit): the
    // writing routines then leave their work for the unit to commit.
    bool InWorkUnit() const { return openWorkUnits_ > 0; }

    // The engine's handle: defined, and reached through HandlesOf, only
    // inside this layer.
    struct Handles;

private:
    friend class WorkUnit;
    friend Handles& HandlesOf(const Transaction& transaction);

    Database& database_;
    std::unique_ptr<Handles> handles_;
    int openWorkUnits_ = 0;
};
