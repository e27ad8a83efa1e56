#pragma once
// A command line run as the terminal service runs it, for tests and
// benchmarks written with plain literals: the line's bytes are taken as
// Windows-1252 and the reply's bytes handed back.
#include "CommandInterpreter.h"

#include <string>

inline std::string RunCommand(CommandInterpreter& interpreter, const std::string& line) {
    return interpreter.ProcessCommand(Windows1252Text(line)).Bytes();
}
