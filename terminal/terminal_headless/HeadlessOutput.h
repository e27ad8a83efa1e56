#pragma once
// Where the service without windows shows what the window would: the status
// panel of each terminal as a line on standard output, a message box as a
// line on standard error. Lines are UTF-8 and never interleave, whichever
// terminal's thread writes them.
//
// When standard error goes to the journal, each of its lines starts with
// the journal's priority ("<3>" for an error, "<4>" for a warning), so
// `journalctl -p err` lists the errors alone.
#include <chrono>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>

// The text with its line breaks turned into blanks: the engine's messages
// come in several lines.
std::string AsOneLine(std::string text);

class HeadlessOutput {
public:
    enum class Priority { Error, Warning, Info };
    using Clock = std::chrono::system_clock;

    // journalPriorities: start the lines on `messages` with their priority.
    HeadlessOutput(std::ostream& status, std::ostream& messages, bool journalPriorities = false)
        : status_(status), messages_(messages), journalPriorities_(journalPriorities) {}

    // "terminal N: " + text, each time the terminal's status panel is set:
    // every command gets its line, also when it repeats the one before.
    void Status(int terminal, const std::string& text);
    // A line of the service itself on standard output (a reload's outcome).
    void Note(const std::string& text);
    // "title: text", every time.
    void Message(const std::string& title, const std::string& text, Priority priority = Priority::Error);
    // A line of the service itself on standard error.
    void Problem(const std::string& text, Priority priority = Priority::Error);

    // When the last error line was written; none before the first.
    std::optional<Clock::time_point> LastError() const;

private:
    std::string PriorityPrefix(Priority priority) const;

    mutable std::mutex mutex_;
    std::ostream& status_;
    std::ostream& messages_;
    const bool journalPriorities_;
    std::optional<Clock::time_point> lastError_;
};
