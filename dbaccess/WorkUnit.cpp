#include "WorkUnit.h"

#include "Transaction.h"

WorkUnit::WorkUnit(Transaction& transaction) : transaction_(transaction), outermost_(!transaction.InWorkUnit()) {
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
