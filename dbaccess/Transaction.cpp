#include "Transaction.h"

#include "ConnectionHandles.h"
#include "FirebirdClient.h"

#include <stdexcept>

using namespace Firebird;

namespace {

ITransaction* Require(const EngineHandle<ITransaction>& transaction) {
    if (!transaction)
        throw std::logic_error("transaction not active");
    return transaction.get();
}

}  // namespace

Transaction::Transaction(Database& database) : database_(database), handles_(std::make_unique<Handles>()) {
    HandlesOf(database_).transactions.insert(this);
}

Transaction::~Transaction() {
    Rollback();
    HandlesOf(database_).transactions.erase(this);
}

bool Transaction::Active() const { return handles_->transaction != nullptr; }

void Transaction::EnsureStarted() {
    if (Active())
        return;
    IAttachment* attachment = HandlesOf(database_).attachment.get();
    if (!attachment)
        throw std::logic_error("database not open");
    static const unsigned char parameters[] = {
        isc_tpb_version3,
        isc_tpb_read_committed,
        isc_tpb_rec_version,
        isc_tpb_nowait,
    };
    FirebirdClient::Call([&](ThrowStatusWrapper& status) {
        handles_->transaction.reset(attachment->startTransaction(&status, sizeof parameters, parameters));
    });
}

void Transaction::CommitRetaining() {
    ITransaction* transaction = Require(handles_->transaction);
    FirebirdClient::Call([&](ThrowStatusWrapper& status) { transaction->commitRetaining(&status); });
}

void Transaction::RollbackRetaining() {
    ITransaction* transaction = Require(handles_->transaction);
    FirebirdClient::Call([&](ThrowStatusWrapper& status) { transaction->rollbackRetaining(&status); });
}

void Transaction::Commit() {
    ITransaction* transaction = Require(handles_->transaction);
    FirebirdClient::Call([&](ThrowStatusWrapper& status) { transaction->commit(&status); });
    Freed(handles_->transaction);
}

void Transaction::Rollback() noexcept {
    FirebirdClient::EndQuietly(handles_->transaction, [](ITransaction& transaction, ThrowStatusWrapper& status) {
        transaction.rollback(&status);
    });
}
