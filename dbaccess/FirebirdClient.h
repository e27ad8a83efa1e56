#pragma once
// Inside this layer only: the Firebird client's entry points, the handles
// behind Database and Transaction, and the translation of engine failures
// into DatabaseError.
#include "Database.h"
#include "Transaction.h"

#include <firebird/Interface.h>

#include <functional>
#include <set>

namespace FirebirdClient {

Firebird::IMaster* Master();
Firebird::IUtil* Util();

// Runs `call` with a throwing status wrapper; an engine failure becomes a
// DatabaseError carrying the engine's message (UTF-8) and first code.
void Call(const std::function<void(Firebird::ThrowStatusWrapper&)>& call);

}  // namespace FirebirdClient

struct Database::Handles {
    Firebird::IAttachment* attachment = nullptr;
    std::set<Transaction*> transactions;  // ended before the attachment closes
};

struct Transaction::Handles {
    Firebird::ITransaction* transaction = nullptr;
};
