#pragma once
// What the terminal service needs of the data module: one command line in,
// one reply out, and the prompt to show ahead of the typed keys, all of them
// Windows-1252.
#include "Windows1252Text.h"

class CommandInterpreter {
public:
    virtual ~CommandInterpreter() = default;
    virtual Windows1252Text ProcessCommand(const Windows1252Text& command) = 0;
    virtual Windows1252Text DisplayPrompt() const = 0;
};
