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

// The reply the terminal would show: the command's own, or the failed
// command's when it raised an error, whose message goes to `errors`.
std::string ReplyTo(CommandInterpreter& interpreter, const std::string& command, std::ostream& errors) {
    try {
        return OneLine(Windows1252ToUtf8(interpreter.ProcessCommand(Utf8ToWindows1252(command))));
    } catch (const std::exception& error) {
        errors << OneLine(command + ": " + error.what()) << '\n';
        return Windows1252ToUtf8(Windows1252Text(kFailedCommandReply));
    }
}

// Commands whose outcome was unknown, settled as soon as the store answers.
void ReportSettled(CommandInterpreter& interpreter, std::ostream& errors) {
    if (interpreter.UnknownOutcomes().empty())
        return;
    for (const std::string& line : interpreter.ResolveUnknownOutcomes())
        errors << line << '\n';
}

}  // namespace

void RunConsoleSession(CommandInterpreter& interpreter, std::istream& in, std::ostream& out, std::ostream& errors,
                       bool showPrompt) {
    std::string line;
    while (std::getline(in, line)) {
        const std::string command = quorvel::Trim(line);
        if (command.empty())
            continue;
        ReportSettled(interpreter, errors);
        out << ReplyTo(interpreter, command, errors) << '\n';
        if (showPrompt)
            out << "PROMPT: " << Windows1252ToUtf8(interpreter.DisplayPrompt()) << '\n';
        out.flush();
        errors.flush();
    }
    ReportSettled(interpreter, errors);
    for (const std::string& command : interpreter.UnknownOutcomes())
        errors << "fim sem saber se o comando " << command << " foi gravado; confira com V\n";
}
