#pragma once
// What the terminal service needs of the data module: one command line in,
// one reply out, and the prompt to show ahead of the typed keys, all of them
// Windows-1252. Also the replies that are no command's own, and what a
// service needs to stop a command in time and to settle the commands whose
// outcome was not known when they were answered.
#include "Windows1252Text.h"

#include <string>
#include <vector>

// The command failed with an error and nothing of it is stored.
inline constexpr const char* kFailedCommandReply = "900-ERRO! O COMANDO N\xC3O FOI EXECUTADO!";
// The command's commit was sent, its answer never came and the store could
// not be asked in time: it may or may not be stored. 72 characters, so it
// fits the four lines of 20 of the display.
inline constexpr const char* kUnknownOutcomeReply =
    "901-N\xC3O SE SABE SE O COMANDO FOI GRAVADO! CONFIRA COM V ANTES DE REPETIR!";
// On the display while a command has been waiting for the store for a while.
inline constexpr const char* kWaitingText = "AGUARDE: CONFIRMANDO...";

class CommandInterpreter {
public:
    virtual ~CommandInterpreter() = default;
    virtual Windows1252Text ProcessCommand(const Windows1252Text& command) = 0;
    virtual Windows1252Text DisplayPrompt() const = 0;

    // From another thread, while ProcessCommand runs (a stop): ends every
    // wait of the command (retries, reconnecting, learning an outcome) and
    // its engine call in flight as soon as it can. The command then ends
    // with an error when nothing of it is stored, or with
    // kUnknownOutcomeReply when its commit was on its way. For good: the
    // interpreter is not used again.
    virtual void Interrupt() {}
    // The commands answered kUnknownOutcomeReply and not settled yet, as
    // typed (UTF-8), oldest first.
    virtual std::vector<std::string> UnknownOutcomes() const { return {}; }
    // Asks the store about each of them while it can be reached; one UTF-8
    // line for each one settled, saying whether it was stored. Never throws.
    virtual std::vector<std::string> ResolveUnknownOutcomes() { return {}; }
};
