#pragma once
// The terminal's network side: listens on a TCP address, serves one host at
// a time (a host that connects replaces the one before it), passes the
// host's bytes to the terminal and sends it the terminal's keys.
#include "SimulatedTerminal.h"

#include <chrono>
#include <string>

class TerminalServer {
public:
    // Throws std::runtime_error when the address cannot be listened on.
    // Port 0 takes any free port (see Port()).
    TerminalServer(SimulatedTerminal& terminal, const std::string& address, int port);
    ~TerminalServer();
    TerminalServer(const TerminalServer&) = delete;
    TerminalServer& operator=(const TerminalServer&) = delete;

    int Port() const { return port_; }
    bool HostConnected() const { return host_ >= 0; }

    // Serves for at most the given time, returning early once something was
    // done. Also watches another descriptor (say standard input), when one
    // is given, and returns true when that one is ready to read.
    bool Serve(std::chrono::milliseconds wait, int otherDescriptor = -1);

private:
    void Accept();
    void ReceiveFromHost();
    void SendKeys();
    void DropHost();

    SimulatedTerminal& terminal_;
    int listener_ = -1;
    int host_ = -1;
    int port_ = 0;
    std::string unsent_;  // key bytes no host has taken yet
};

// "ADDRESS:PORT" into its parts; false when malformed.
bool SplitListenAddress(const std::string& text, std::string& address, int& port);
