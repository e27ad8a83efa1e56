#pragma once
// An interpreter that opens tab N for "C" + N, answers everything else with
// a fixed reply, and records what it was given.
#include "CommandInterpreter.h"

#include <stdexcept>
#include <string>
#include <vector>

class FakeInterpreter : public CommandInterpreter {
public:
    Windows1252Text ProcessCommand(const Windows1252Text& text) override {
        const std::string& command = text.Bytes();
        received.push_back(command);
        if (!failure.empty())
            throw std::runtime_error(failure);
        if (command.size() > 1 && command[0] == 'C') {
            prompt = "Comanda " + command.substr(1) + ":";
            return Windows1252Text("000-A COMANDA " + command.substr(1) + " FOI CRIADA!");
        }
        return Windows1252Text(reply);
    }
    Windows1252Text DisplayPrompt() const override { return Windows1252Text(prompt); }

    // prompt, reply and received hold Windows-1252 bytes.
    std::string prompt = "Comanda:";
    std::string reply = "000-OK";
    std::string failure;  // when set, ProcessCommand raises it
    std::vector<std::string> received;
};
