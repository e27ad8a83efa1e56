#pragma once
// One TCP connection to one terminal, opened on demand and never blocking
// for long: a connection attempt is given a fixed time, sending is given a
// fixed time, and reading only takes what has already arrived. Key codes
// that arrive are kept, in order, until taken.
#include "KeyCodeStream.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

class TerminalConnection {
public:
    using Clock = std::chrono::steady_clock;

    // The key code that says no key waits and the terminal is not reachable.
    static constexpr uint16_t kNoConnection = 65280;

    TerminalConnection(std::string address, int port);
    ~TerminalConnection();
    TerminalConnection(const TerminalConnection&) = delete;
    TerminalConnection& operator=(const TerminalConnection&) = delete;

    // Connects if needed, waiting until the attempt succeeds or fails, then
    // sends all the bytes. False when the terminal cannot be reached or the
    // connection fails; the next call tries a new connection.
    bool Send(std::string_view bytes);

    // Takes the keys that have arrived, starting a connection attempt if
    // there is none, without waiting. Returns the oldest key not yet taken,
    // 0 when none waits on a working connection, kNoConnection when none
    // waits and the terminal is not (yet) reachable.
    uint16_t NextKey();

private:
    enum class State { Closed, Connecting, Connected };

    void StartConnecting();
    // Moves a pending attempt on; waits up to the deadline for it to finish.
    void FinishConnecting(Clock::time_point deadline);
    // Reads what has arrived; notices a terminal that hung up.
    void Receive();
    void Close();

    std::string address_;
    int port_;
    int socket_ = -1;
    State state_ = State::Closed;
    Clock::time_point attemptDeadline_;
    KeyCodeReader keys_;
};
