#pragma once
// The writes of one unit of work (a terminal command) made permanent
// together. While a unit is open on a transaction, PostAndCommit and
// RunScript leave their work uncommitted; Commit then commits all of it at
// once (retaining). A unit that ends without Commit, an error passing
// through, rolls back (retaining) everything done since it opened, so the
// work happens whole or not at all. Units nest: only the outermost one
// commits or rolls back.
//
// The unit keeps the rows it inserted with a key (InsertedRows): when the
// connection breaks while the commit is on its way, whether the unit was
// stored is found out afterwards from the first of them (RowIsStored).
#include "Transaction.h"

#include <vector>

class Database;

class WorkUnit {
public:
    // The transaction starts with the unit's first statement, as ever.
    explicit WorkUnit(Transaction& transaction);
    // Without Commit: rollback-retaining (quietly: the error on its way
    // stays the one reported).
    ~WorkUnit();
    WorkUnit(const WorkUnit&) = delete;
    WorkUnit& operator=(const WorkUnit&) = delete;

    // Commit-retaining when this is the outermost unit and the transaction
    // is active. Throws DatabaseError (the work is then rolled back when the
    // unit ends).
    void Commit();

    // The rows inserted with a key since the outermost unit opened, in order.
    const std::vector<InsertedRow>& InsertedRows() const { return transaction_.unitInserts_; }

private:
    Transaction& transaction_;
    bool outermost_;
    bool committed_ = false;
};

// Whether `row` is in the store, read on `database` in a transaction of its
// own that waits up to `waitSeconds` for a transaction still writing the row
// to end: a commit still on its way when the connection broke is then seen
// with its outcome. Throws DatabaseError, also when the wait runs out.
bool RowIsStored(Database& database, const InsertedRow& row, int waitSeconds);
