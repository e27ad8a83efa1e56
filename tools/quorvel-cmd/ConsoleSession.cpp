#include "ConsoleSession.h"

#include "CommandInterpreter.h"
#include "Trim.h"
#include "Windows1252.h"

#include <exception>
#include <istream>
#include <ostream>
#include <string>

namespace {

// Scripts read one line per command, so line breaks inside a reply or a
// database message (which lists its causes on lines of their own) become
// blanks.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

std::string ReplyTo(CommandInterpreter& interpreter, const std::string& command) {
    try {
        return OneLine(Windows1252ToUtf8(interpreter.ProcessCommand(Utf8ToWindows1252(command))));
    } catch (const std::exception& error) {
        return OneLine(std::string("ERRO: ") + error.what());
    }
}

}  // namespace

void RunConsoleSession(CommandInterpreter& interpreter, std::istream& in, std::ostream& out, bool showPrompt) {
    std::string line;
    while (std::getline(in, line)) {
        const std::string command = quorvel::Trim(line);
        if (command.empty())
            continue;
        out << ReplyTo(interpreter, command) << '\n';
        if (showPrompt)
            out << "PROMPT: " << Windows1252ToUtf8(interpreter.DisplayPrompt()) << '\n';
        out.flush();
    }
}
