#pragma once
// The six calls of the terminal vendor's library. The program binds the real
// library by name (VendorLibrary); tests put a fake in its place.
// All results: 1 for success, anything else for failure, except LerBuffer
// whose low 16 bits are the next key code (0 when no key waits, and
// kNoConnectionCode while the terminal cannot be reached).
#include "TerminalLibraryCodes.h"

class TerminalLibrary {
public:
    virtual ~TerminalLibrary() = default;

    virtual int IniciaComunicacao() = 0;
    virtual int SelecionaProtocolo(int protocol) = 0;
    virtual int LimpaDisplay(unsigned char terminal) = 0;
    virtual int PosicionaCursor(unsigned char terminal, int line, int column) = 0;
    // text: zero-terminated Windows-1252.
    virtual int EscreveDisplay(unsigned char terminal, const char* text) = 0;
    virtual int LerBuffer(unsigned char terminal) = 0;
};
