#include "TabCreationTurn.h"

#include "Database.h"
#include "DatabaseError.h"
#include "Statement.h"
#include "StoreStatements.h"
#include "Transaction.h"

namespace {

// The engine's codes for the two ways a turn can be refused besides a lock
// conflict: the number's first row inserted meanwhile by another
// transaction (its key taken), and a login without the right to write the
// table.
constexpr long kKeyTaken = 335544665;      // isc_unique_key_violation
constexpr long kNoPermission = 335544352;  // isc_no_priv

static_assert(std::chrono::seconds(TabCreationTurn::kWaitSeconds) < Database::StalledCallBound);

RowSet Run(Transaction& transaction, const std::string& sql, const char* parameter, int number) {
    Statement statement(transaction, sql);
    if (parameter)
        statement.SetParameter(parameter, number);
    return statement.Run();
}

}  // namespace

void TabCreationTurn::Prepare(Transaction& transaction) {
    perNumber_ = !Run(transaction, StoreStatements::kTabCreationTable, nullptr, 0).rows.empty();
}

bool TabCreationTurn::Take(Transaction& transaction, int number) {
    try {
        if (perNumber_)
            Run(transaction, StoreStatements::kTabNumberTurn, "NUMERO", number);
        else
            Run(transaction, StoreStatements::kTabCreationLock, nullptr, 0);
        return true;
    } catch (const DatabaseError& error) {
        if (perNumber_ && error.Code() == kNoPermission) {
            perNumber_ = false;  // the table is there, the right to use it not: the shop-wide turn
            return Take(transaction, number);
        }
        if (!error.IsLockConflict() && !(perNumber_ && error.Code() == kKeyTaken))
            throw;
    }
    WaitForHolder(transaction, number);
    return false;
}

void TabCreationTurn::WaitForHolder(Transaction& transaction, int number) const {
    // Reading the row without record versions waits for the transaction
    // that wrote it and has not ended; nothing is written, so the wait
    // ends the moment the holder commits or rolls back.
    Transaction wait(transaction.Owner(), {.lockTimeoutSeconds = kWaitSeconds, .readLastCommitted = false});
    if (perNumber_)
        Run(wait, StoreStatements::kTabNumberHolder, "NUMERO", number);
    else
        Run(wait, StoreStatements::kTabCreationHolder, nullptr, 0);
    wait.Commit();
}
