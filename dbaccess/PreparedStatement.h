#pragma once
// Inside this layer only: an SQL text prepared once on a connection and run
// again by every Statement with the same text, so a program that repeats
// its statements with new parameter values prepares each only once. The
// connection keeps them (at most kMaxPrepared, the least recently used
// going first) and frees them when it closes.
#include "FirebirdClient.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct PreparedStatement {
    static constexpr std::size_t kMaxPrepared = 200;

    PreparedStatement() = default;
    ~PreparedStatement() { Free(); }
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    // Gives the engine's handles back (quietly: a broken connection only
    // drops our references).
    void Free() noexcept;

    std::vector<std::string> parameterNames;  // ":NAME" in order of appearance, upper case
    Firebird::IStatement* statement = nullptr;
    Firebird::IMessageMetadata* input = nullptr;
    Firebird::IMessageMetadata* output = nullptr;
    bool selects = false;              // gives rows through a cursor
    std::vector<std::string> columns;  // the result's column names (aliases)
    unsigned long lastUse = 0;
};

// The statement prepared for `sql` on the transaction's connection, prepared
// now when the connection holds none. Throws DatabaseError.
std::shared_ptr<PreparedStatement> PreparedFor(Transaction& transaction, const std::string& sql);
