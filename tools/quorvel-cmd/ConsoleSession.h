#pragma once
// The console's loop: command lines in, one reply line out per command.
#include <iosfwd>

class CommandInterpreter;

// Reads UTF-8 lines from `in` until its end; each line is trimmed, blank
// ones are skipped, the rest goes to the interpreter in Windows-1252. Writes
// the reply in UTF-8, or "ERRO: " and the error's message when the command
// raised one; with `showPrompt`, a line "PROMPT: " + the prompt follows.
void RunConsoleSession(CommandInterpreter& interpreter, std::istream& in, std::ostream& out, bool showPrompt);
