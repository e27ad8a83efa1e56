#pragma once
// Inside this layer only: an SQL text prepared once on a connection and run
// again by every Statement with the same text, so a program that repeats
// its statements with new parameter values prepares each only once. The
// connection keeps them (at most kMaxPrepared, the least recently used
// going first) and frees them when it closes.
#include "EngineHandle.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class Transaction;

// The type given to a parameter for the value it carries; type 0 keeps the
// type the engine described.
struct ParameterShape {
    unsigned type = 0;
    unsigned length = 0;
    int scale = 0;
    bool operator==(const ParameterShape&) const = default;
};

// Where one field of an engine message lies and how it is typed, read from
// the message's metadata once.
struct MessageField {
    unsigned type = 0;  // without the nullable bit
    int scale = 0;
    unsigned length = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

struct MessageLayout {
    std::vector<MessageField> fields;
    unsigned length = 0;  // of the whole message buffer
};

MessageLayout LayoutOf(Firebird::ThrowStatusWrapper& status, Firebird::IMessageMetadata* metadata);

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
    EngineHandle<Firebird::IStatement> statement;
    EngineHandle<Firebird::IMessageMetadata> input;
    EngineHandle<Firebird::IMessageMetadata> output;
    // The input typed after the values of the last run, for the next run
    // with values of the same types.
    EngineHandle<Firebird::IMessageMetadata> typedInput;
    std::vector<ParameterShape> typedShapes;
    MessageLayout typedLayout;
    MessageLayout outputLayout;
    bool selects = false;              // gives rows through a cursor
    std::vector<std::string> columns;  // the result's column names (aliases)
    unsigned long lastUse = 0;
};

// The statement prepared for `sql` on the transaction's connection, prepared
// now when the connection holds none. Throws DatabaseError.
std::shared_ptr<PreparedStatement> PreparedFor(Transaction& transaction, const std::string& sql);
