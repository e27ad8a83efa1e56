#pragma once
// Where the service without windows shows what the window would: the status
// panel of each terminal as a line on standard output, a message box as a
// line on standard error. Lines are UTF-8 and never interleave, whichever
// terminal's thread writes them.
#include <iosfwd>
#include <mutex>
#include <string>

class HeadlessOutput {
public:
    HeadlessOutput(std::ostream& status, std::ostream& messages) : status_(status), messages_(messages) {}

    // "terminal N: " + text, each time the terminal's status panel is set:
    // every command gets its line, also when it repeats the one before.
    void Status(int terminal, const std::string& text);
    // "title: text", every time.
    void Message(const std::string& title, const std::string& text);

private:
    std::mutex mutex_;
    std::ostream& status_;
    std::ostream& messages_;
};
