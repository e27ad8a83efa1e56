#pragma once
// The six library calls over TCP: one connection per terminal number, opened
// on the first call that needs it and again on a later call after a failure.
//
// Safe to call from several threads. Calls for different terminals run side
// by side: each terminal has its own lock, so a terminal that makes a call
// wait (an attempt to connect, a slow reader) holds up only its own calls.
// Calls for the same terminal take turns. IniciaComunicacao waits for the
// call in progress of each terminal whose connection it closes, and for no
// other.
#include "Framing.h"
#include "TerminalConnection.h"
#include "TerminalSettings.h"

#include <array>
#include <memory>
#include <mutex>
#include <string>

class TerminalLink {
public:
    // Reads the settings file again. The connection of a terminal whose
    // address and port are unchanged stays open with the keys it received;
    // every other connection is closed. 0 when the file does not exist or
    // its port is outside 1 to 65535 (every terminal is then unreachable).
    int IniciaComunicacao();
    // 0 or 1 choose the framing of later display commands for every
    // terminal; anything else fails and keeps the current one.
    int SelecionaProtocolo(int protocol);
    int LimpaDisplay(unsigned char terminal);
    // line 1 to 4, column from 1; a column past the end of the line puts the
    // cursor at its end.
    int PosicionaCursor(unsigned char terminal, int line, int column);
    int EscreveDisplay(unsigned char terminal, const char* text);
    int LerBuffer(unsigned char terminal);

private:
    struct Terminal {
        std::mutex lock;
        std::unique_ptr<TerminalConnection> connection;
    };
    // What every terminal call reads: taken together under settingsLock_.
    struct Current {
        std::shared_ptr<const TerminalSettings> settings;  // null: no usable file
        Framing framing = Framing::StxEtx;
    };

    // Reads the settings file on the first call when IniciaComunicacao never
    // was; takes no lock that a caller may hold.
    void LoadOnce();
    Current Read();
    // Runs the work with the terminal's connection (null when the settings
    // name no such terminal) and the framing, holding the terminal's lock.
    template <typename Work>
    int WithConnection(unsigned char terminal, Work work);
    // Sends the bytes that encode(framing) makes.
    template <typename Encode>
    int Send(unsigned char terminal, Encode encode);

    std::mutex restartLock_;   // one IniciaComunicacao at a time
    std::mutex settingsLock_;  // held only to read or replace current_
    bool loaded_ = false;
    Current current_;
    std::array<Terminal, 256> terminals_;
};
