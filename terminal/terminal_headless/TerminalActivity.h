#pragma once
// What one terminal of the service last did, as `Quorvel --status` shows
// it: the last command with its reply's code and time, the tab open on the
// terminal, and the last error. The terminal's thread writes it when a
// command has been answered or an error box comes up, never at a tick; the
// main thread reads it when it publishes the service's state.
#include <chrono>
#include <mutex>
#include <optional>
#include <string>

struct TerminalActivity {
    using Clock = std::chrono::system_clock;

    std::string command;    // UTF-8, as the interpreter got it
    std::string replyCode;  // the reply's three digits; empty when it has none
    std::optional<Clock::time_point> commandAt;
    std::string openTab;  // the number of the tab open on the terminal; empty for none
    std::string error;    // the last error box, "title: text" on one line
    std::optional<Clock::time_point> errorAt;
};

class TerminalActivityRecord {
public:
    // statusText: the status panel after a command,
    // "Comando: C12 / Retorno:000-A COMANDA 12 FOI CRIADA!"; prompt: the
    // display's prompt after it (UTF-8), "Comanda 12:" once a tab is open.
    // Other status texts are no command and change nothing.
    void NoteCommand(const std::string& statusText, const std::string& prompt);
    void NoteError(const std::string& text);
    TerminalActivity Read() const;

    // While it lives, the error boxes of the thread that made it are noted
    // in `record`: the service's box handler does not know the terminal.
    class OnThisThread {
    public:
        explicit OnThisThread(TerminalActivityRecord& record);
        ~OnThisThread();
        OnThisThread(const OnThisThread&) = delete;
        OnThisThread& operator=(const OnThisThread&) = delete;
    };
    // The record of the terminal served by the calling thread; null on any
    // other thread.
    static TerminalActivityRecord* OfThisThread();

private:
    mutable std::mutex mutex_;
    TerminalActivity activity_;
};
