#include "Transaction.h"

#include "ConnectionHandles.h"
#include "FirebirdClient.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

using namespace Firebird;

namespace {

ITransaction* Require(const EngineHandle<ITransaction>& transaction) {
    if (!transaction)
        throw std::logic_error("transaction not active");
    return transaction.get();
}

// The transaction's parameter block for the mode.
std::vector<unsigned char> ParametersOf(const TransactionMode& mode) {
    std::vector<unsigned char> parameters = {
        isc_tpb_version3,
        isc_tpb_read_committed,
        static_cast<unsigned char>(mode.readLastCommitted ? isc_tpb_rec_version : isc_tpb_no_rec_version),
    };
    if (mode.lockTimeoutSeconds == 0) {
        parameters.push_back(isc_tpb_nowait);
        return parameters;
    }
    parameters.push_back(isc_tpb_wait);
    parameters.push_back(isc_tpb_lock_timeout);
    parameters.push_back(sizeof(std::int32_t));
    for (int shift = 0; shift < 32; shift += 8)  // little-endian, as the engine reads numbers here
        parameters.push_back(static_cast<unsigned char>(mode.lockTimeoutSeconds >> shift));
    return parameters;
}

}  // namespace

Transaction::Transaction(Database& database, TransactionMode mode)
    : database_(database), mode_(mode), handles_(std::make_unique<Handles>()) {
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
    const std::vector<unsigned char> parameters = ParametersOf(mode_);
    FirebirdClient::Call(Watched(), [&](ThrowStatusWrapper& status) {
        handles_->transaction.reset(
            attachment->startTransaction(&status, static_cast<unsigned>(parameters.size()), parameters.data()));
    });
}

void Transaction::CommitRetaining() {
    ITransaction* transaction = Require(handles_->transaction);
    Announce(Step::Commit);
    FirebirdClient::Call(Watched(), [&](ThrowStatusWrapper& status) { transaction->commitRetaining(&status); });
}

void Transaction::RollbackRetaining() {
    ITransaction* transaction = Require(handles_->transaction);
    FirebirdClient::Call(Watched(), [&](ThrowStatusWrapper& status) { transaction->rollbackRetaining(&status); });
}

void Transaction::Commit() {
    ITransaction* transaction = Require(handles_->transaction);
    Announce(Step::Commit);
    FirebirdClient::Call(Watched(), [&](ThrowStatusWrapper& status) { transaction->commit(&status); });
    Freed(handles_->transaction);
}

void Transaction::Rollback() noexcept {
    FirebirdClient::EndQuietly(
        handles_->transaction,
        [](ITransaction& transaction, ThrowStatusWrapper& status) { transaction.rollback(&status); }, Watched());
}

FirebirdClient::CallInFlight* Transaction::Watched() const { return &HandlesOf(database_).inFlight; }

void Transaction::NoteInsertedRow(InsertedRow row) {
    if (InWorkUnit())
        unitInserts_.push_back(std::move(row));
}
