#pragma once
// The console's loop: command lines in, one reply line out per command.
#include <iosfwd>

class CommandInterpreter;

// Reads UTF-8 lines from `in` until its end; each line is trimmed, blank
// ones are skipped, the rest goes to the interpreter in Windows-1252. Writes
// the reply in UTF-8 as the terminal shows it: the command's own, or
// kFailedCommandReply when the command raised an error (the command and the
// error's message then go to `errors`); with `showPrompt`, a line
// "PROMPT: " + the prompt follows. Commands answered with the unknown-outcome
// reply are settled before each later command and at the end, one line on
// `errors` each; those still unknown at the end are named there too.
void RunConsoleSession(CommandInterpreter& interpreter, std::istream& in, std::ostream& out, std::ostream& errors,
                       bool showPrompt);
