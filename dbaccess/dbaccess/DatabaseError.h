#pragma once
// A failure reported by the database engine (or by this layer, for a field
// name that a result does not hold). what() is the engine's own message in
// UTF-8; Code() is the engine's first error code (0 when none). Which codes
// mean a lock conflict or a lost connection is decided where the engine's
// failures are translated, inside this layer.
#include <stdexcept>
#include <string>

class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const std::string& utf8Message, long code = 0, bool connectionLost = false,
                           bool lockConflict = false)
        : std::runtime_error(utf8Message), code_(code), connectionLost_(connectionLost), lockConflict_(lockConflict) {}

    long Code() const { return code_; }
    // True when a row or lock held by another transaction refused the work
    // ("lock conflict on no wait transaction", or "deadlock" / "update
    // conflicts with concurrent update" as updates report it).
    bool IsLockConflict() const { return lockConflict_; }
    // True when the attachment is gone (the server stopped or restarted, the
    // network cut, the database shut down).
    bool IsConnectionLost() const { return connectionLost_; }

private:
    long code_;
    bool connectionLost_;
    bool lockConflict_;
};
