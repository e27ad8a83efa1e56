#pragma once
// The six library calls over TCP: one connection per terminal number, opened
// on the first call that needs it and again on a later call after a failure.
#include "Framing.h"
#include "TerminalConnection.h"
#include "TerminalSettings.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

class TerminalLink {
public:
    // Drops every connection and reads the settings file again; 0 when the
    // file does not exist.
    int IniciaComunicacao();
    // 0 or 1 choose the framing of later display commands; anything else
    // fails and keeps the current one.
    int SelecionaProtocolo(int protocol);
    int LimpaDisplay(unsigned char terminal);
    // line 1 to 4, column from 1; a column past the end of the line puts the
    // cursor at its end.
    int PosicionaCursor(unsigned char terminal, int line, int column);
    int EscreveDisplay(unsigned char terminal, const char* text);
    int LerBuffer(unsigned char terminal);

private:
    // The connection of a terminal named in the settings, or null.
    TerminalConnection* Connection(unsigned char terminal);
    int Send(unsigned char terminal, const std::string& bytes);

    bool loaded_ = false;
    std::optional<TerminalSettings> settings_;
    Framing framing_ = Framing::StxEtx;
    std::map<int, std::unique_ptr<TerminalConnection>> connections_;
};
