#include "WorkUnit.h"

#include "Statement.h"

WorkUnit::WorkUnit(Transaction& transaction) : transaction_(transaction), outermost_(!transaction.InWorkUnit()) {
    if (outermost_)
        transaction_.unitInserts_.clear();
    ++transaction_.openWorkUnits_;
}

WorkUnit::~WorkUnit() {
    --transaction_.openWorkUnits_;
    if (!outermost_ || committed_)
        return;
    try {
        if (transaction_.Active())
            transaction_.RollbackRetaining();
    } catch (...) {
    }
}

void WorkUnit::Commit() {
    if (outermost_ && transaction_.Active())
        transaction_.CommitRetaining();
    committed_ = true;
}

bool RowIsStored(Database& database, const InsertedRow& row, int waitSeconds) {
    Transaction check(database, {.lockTimeoutSeconds = waitSeconds, .readLastCommitted = false});
    Statement find(check, "SELECT 1 FROM " + row.table + " WHERE " + row.keyColumn + " = :KEY");
    find.SetParameter("KEY", row.key);
    const bool stored = !find.Run().rows.empty();
    check.Commit();
    return stored;
}
