#pragma once
// What the terminal service needs of the data module: one command line in,
// one reply out, and the prompt to show ahead of the typed keys. Both texts
// are Windows-1252.
#include <string>

class CommandInterpreter {
public:
    virtual ~CommandInterpreter() = default;
    virtual std::string ProcessCommand(const std::string& command) = 0;
    virtual std::string DisplayPrompt() const = 0;
};
