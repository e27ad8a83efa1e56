#pragma once
// The scripted mode: key lines from an input descriptor, one "DISPLAY ..."
// line on the output after every display change; once the input has ended
// and its last step is done, serving goes on until "linger" passes without a
// display change.
#include "SimulatedTerminal.h"
#include "TerminalServer.h"

#include <chrono>
#include <ostream>

// Returns the exit status (0).
int RunHeadless(SimulatedTerminal& terminal, TerminalServer& server, int input, std::ostream& output,
                std::ostream& errors, std::chrono::milliseconds linger);
