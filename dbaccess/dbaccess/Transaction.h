#pragma once
// The one long-lived transaction of a connection: read committed, record
// versions, no wait (a row locked by another transaction fails at once with
// a lock conflict). It starts on demand and is kept alive by
// commit-retaining and rollback-retaining. A short-lived one may be given
// another mode (TransactionMode), as the look-up after a lost commit is.
#include "FieldValue.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Database;
namespace FirebirdClient {
struct CallInFlight;
}  // namespace FirebirdClient

// How a transaction meets rows that other transactions have in hand. Read
// committed always.
struct TransactionMode {
    // 0: no wait (a row locked by another transaction fails at once);
    // otherwise how many seconds a lock is waited for before it fails.
    int lockTimeoutSeconds = 0;
    // Reads take the last committed version of a row (record versions).
    // When false, a read of a row that another transaction has written and
    // not yet ended waits for that transaction (as a lock does), so it sees
    // the row as that transaction leaves it.
    bool readLastCommitted = true;
};

// A row written with a known key: enough to find it again.
struct InsertedRow {
    std::string table;
    std::string keyColumn;
    FieldValue key;
};

class Transaction {
public:
    explicit Transaction(Database& database, TransactionMode mode = {});
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
    // Notes a row inserted with its key; kept for the open unit of work
    // (WorkUnit::InsertedRows), ignored outside one.
    void NoteInsertedRow(InsertedRow row);

    // A seam for tests that break the connection at a chosen point: called
    // before each statement runs (Step::Statement) and before a commit is
    // sent (Step::Commit). Empty: nothing is called.
    enum class Step { Statement, Commit };
    std::function<void(Step)> BeforeSending;
    void Announce(Step step) const {
        if (BeforeSending)
            BeforeSending(step);
    }

    // The engine's handle: defined, and reached through HandlesOf, only
    // inside this layer.
    struct Handles;

private:
    friend class WorkUnit;
    friend Handles& HandlesOf(const Transaction& transaction);
    // The connection's slot for the stall watch.
    FirebirdClient::CallInFlight* Watched() const;

    Database& database_;
    TransactionMode mode_;
    std::unique_ptr<Handles> handles_;
    int openWorkUnits_ = 0;
    std::vector<InsertedRow> unitInserts_;  // of the open unit of work
};
