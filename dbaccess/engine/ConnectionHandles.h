#pragma once
// Inside this layer only: the engine's handles behind Database and
// Transaction, and the way the layer's classes reach them.
#include "Database.h"
#include "EngineHandle.h"
#include "FirebirdClient.h"
#include "Transaction.h"

#include <map>
#include <memory>
#include <set>
#include <string>

struct PreparedStatement;

struct Database::Handles {
    EngineHandle<Firebird::IAttachment> attachment;
    std::set<Transaction*> transactions;  // ended before the attachment closes
    // Statements prepared on the attachment, by SQL text; freed before it closes.
    std::map<std::string, std::shared_ptr<PreparedStatement>> prepared;
    unsigned long uses = 0;                 // counts statement uses, for dropping the least recent
    FirebirdClient::CallInFlight inFlight;  // the call now running on it, for the stall watch
};

struct Transaction::Handles {
    EngineHandle<Firebird::ITransaction> transaction;
};

inline Database::Handles& HandlesOf(const Database& database) { return *database.handles_; }

inline Transaction::Handles& HandlesOf(const Transaction& transaction) { return *transaction.handles_; }
