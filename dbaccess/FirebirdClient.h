#pragma once
// Inside this layer only: the Firebird client's entry points, the handles
// behind Database and Transaction, and the translation of engine failures
// into DatabaseError.
#include "Database.h"
#include "Transaction.h"

#include <firebird/Interface.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

struct PreparedStatement;

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
    // Statements prepared on the attachment, by SQL text; freed before it closes.
    std::map<std::string, std::shared_ptr<PreparedStatement>> prepared;
    unsigned long uses = 0;  // counts statement uses, for dropping the least recent
};

struct Transaction::Handles {
    Firebird::ITransaction* transaction = nullptr;
};
