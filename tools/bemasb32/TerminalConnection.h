#pragma once
// One TCP connection to one terminal, opened on demand and never blocking
// for long: a connection attempt is given a fixed time, sending is given a
// fixed time, and reading only takes what has already arrived, and no more
// than there is room for. Key codes that arrive are kept, in order, until
// taken.
#include "KeyCodeStream.h"
#include "TerminalLibraryCodes.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TerminalConnection {
public:
    using Clock = std::chrono::steady_clock;

    // Keys received and not yet taken. A terminal that sends faster than
    // they are taken waits: its bytes stay in the network buffers until
    // there is room, and TCP holds the terminal back.
    static constexpr size_t kKeyCapacity = 256;

    TerminalConnection(std::string address, int port);
    ~TerminalConnection();
    TerminalConnection(const TerminalConnection&) = delete;
    TerminalConnection& operator=(const TerminalConnection&) = delete;

    // True when this connection goes to that address and port.
    bool Reaches(const std::string& address, int port) const { return address == address_ && port == port_; }

    // Connects if needed, waiting until the attempt succeeds or fails, then
    // sends all the bytes. False when the terminal cannot be reached or the
    // connection fails; the next call tries a new connection.
    bool Send(std::string_view bytes);

    // Takes the keys that have arrived, starting a connection attempt if
    // there is none, without waiting. Returns the oldest key not yet taken,
    // 0 when none waits on a working connection, kNoConnectionCode when none
    // waits and the terminal is not (yet) reachable. After the terminal was
    // lost (the connection ended, or a Send could not reach it)
    // kNoConnectionCode comes at least once before the next 0, even when a new
    // connection is already up: the caller learns that the terminal was
    // away and may have lost what its display showed.
    uint16_t NextKey();

private:
    enum class State { Closed, Connecting, Connected };

    void StartConnecting();
    // Moves a pending attempt on; waits up to the deadline for it to finish.
    void FinishConnecting(Clock::time_point deadline);
    // Reads what has arrived, as far as there is room; notices a terminal
    // that hung up.
    void Receive();
    // Ends the connection after a failure; the loss is reported by NextKey.
    void Lose();
    void Close();

    std::string address_;
    int port_;
    int socket_ = -1;
    State state_ = State::Closed;
    bool lossUnreported_ = false;
    Clock::time_point attemptDeadline_;
    KeyCodeReader keys_{kKeyCapacity};
};
