#pragma once
// The terminal library as one terminal's thread calls it, noting from each
// key read whether the terminal answers: the library reads the
// no-connection code 65280 while it cannot reach the terminal, and any
// other result once it is back. Read from other threads for the service's
// status sentence; every call goes on to the library unchanged.
#include "TerminalLibrary.h"

#include <atomic>

class TerminalPresenceWatch : public TerminalLibrary {
public:
    explicit TerminalPresenceWatch(TerminalLibrary& library) : library_(library) {}

    // Whether the last key read found the terminal unreachable.
    bool Away() const { return away_; }

    int IniciaComunicacao() override { return library_.IniciaComunicacao(); }
    int SelecionaProtocolo(int protocol) override { return library_.SelecionaProtocolo(protocol); }
    int LimpaDisplay(unsigned char terminal) override { return library_.LimpaDisplay(terminal); }
    int PosicionaCursor(unsigned char terminal, int line, int column) override {
        return library_.PosicionaCursor(terminal, line, column);
    }
    int EscreveDisplay(unsigned char terminal, const char* text) override {
        return library_.EscreveDisplay(terminal, text);
    }
    int LerBuffer(unsigned char terminal) override;

private:
    TerminalLibrary& library_;
    std::atomic<bool> away_ = false;
};
