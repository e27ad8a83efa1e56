#include "Transaction.h"

#include "FirebirdClient.h"

#include <stdexcept>

using namespace Firebird;

namespace {

ITransaction* Require(ITransaction* transaction)
{
    if (!transaction)
        throw std::logic_error("transaction not active");
    return transaction;
}

}  // namespace

Transaction::Transaction(Database& database) : database_(database), handles_(std::make_unique<Handles>())
{
    database_.Native().transactions.insert(this);
}

Transaction::~Transaction()
{
    Rollback();
    database_.Native().transactions.erase(this);
}

bool Transaction::Active() const
{
    return handles_->transaction != nullptr;
}

void Transaction::EnsureStarted()
{
    if (Active())
        return;
    IAttachment* attachment = database_.Native().attachment;
    if (!attachment)
        throw std::logic_error("database not open");
    static const unsigned char parameters[] = {
        isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait,
    };
    FirebirdClient::Call([&](ThrowStatusWrapper& status) {
        handles_->transaction = attachment->startTransaction(&status, sizeof parameters, parameters);
    });
}

void Transaction::CommitRetaining()
{
    ITransaction* transaction = Require(handles_->transaction);
    FirebirdClient::Call([&](ThrowStatusWrapper& status) { transaction->commitRetaining(&status); });
}

void Transaction::RollbackRetaining()
{
    ITransaction* transaction = Require(handles_->transaction);
    FirebirdClient::Call([&](ThrowStatusWrapper& status) { transaction->rollbackRetaining(&status); });
}

void Transaction::Commit()
{
    ITransaction* transaction = Require(handles_->transaction);
    FirebirdClient::Call([&](ThrowStatusWrapper& status) { transaction->commit(&status); });
    handles_->transaction = nullptr;
}

void Transaction::Rollback() noexcept
{
    ITransaction* transaction = handles_->transaction;
    if (!transaction)
        return;
    handles_->transaction = nullptr;
    try {
        FirebirdClient::Call([&](ThrowStatusWrapper& status) { transaction->rollback(&status); });
    } catch (...) {
        transaction->release();  // the connection is gone: drop our reference
    }
}

Transaction::Handles& Transaction::Native() const
{
    return *handles_;
}
