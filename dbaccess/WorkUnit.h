#pragma once
// The writes of one unit of work (a terminal command) made permanent
// together. While a unit is open on a transaction, PostAndCommit and
// RunScript leave their work uncommitted; Commit then commits all of it at
// once (retaining). A unit that ends without Commit, an error passing
// through, rolls back (retaining) everything done since it opened, so the
// work happens whole or not at all. Units nest: only the outermost one
// commits or rolls back.
class Transaction;

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

private:
    Transaction& transaction_;
    bool outermost_;
    bool committed_ = false;
};
