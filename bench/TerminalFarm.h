#pragma once
// Many simulated terminals in one process: each listens on an address of
// its own at a port, as a terminal does, takes the library's connection,
// decodes what the service writes on its display (VT100, STX/ETX framing)
// and sends key codes. One thread serves every socket.
//
// Each terminal runs a session of commands, one at a time: it types a
// command's keys, waits until the display shows them typed, presses Enter
// and waits for the reply (a display text "NNN-..."), then for the prompt
// that follows the reply, and starts the next command once `pacing` has
// passed since the last Enter. The first command of every terminal is its
// own tab ("C" + its tab number); the opening Enters go out together, once
// every terminal shows its "C" typed (or a minute has passed). Then, at
// random: a product add, or now and then "Q2" or "V"; the first of these
// anywhere within one pacing after the opening, so that the terminals work
// out of step from then on.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TerminalFarm {
public:
    using Clock = std::chrono::steady_clock;

    struct Terminal {
        std::string address;  // numeric IPv4 on loopback
        int port = 0;
        int tab = 0;  // the tab number it opens
    };

    // One command's outcome.
    struct Reply {
        int tab = 0;              // the terminal's tab
        std::string command;      // as typed, without Enter
        std::string text;         // the reply as the display showed it, lines joined; empty: none came
        double milliseconds = 0;  // Enter to the reply's first text on the display
    };

    // Starts listening on every terminal's address; throws std::runtime_error
    // when one cannot be bound.
    TerminalFarm(std::vector<Terminal> terminals, std::string barcode, std::chrono::milliseconds pacing);
    ~TerminalFarm();
    TerminalFarm(const TerminalFarm&) = delete;
    TerminalFarm& operator=(const TerminalFarm&) = delete;

    // The moment each terminal first showed a prompt ("Comanda:"): serving.
    // Empty for one that has not yet. Safe while running.
    std::vector<std::optional<Clock::time_point>> Serving() const;
    // Lets the sessions begin; replies are kept from now on.
    void Begin();
    // How many terminals have their opening reply. Safe while running.
    int OpeningsAnswered() const;
    // Stops typing new commands; a command on its way still gets its reply
    // (within `limit`). Returns every command's reply in the order each
    // terminal got them (an empty text for a command that got none, also
    // counted in `unanswered`).
    std::vector<Reply> Finish(std::chrono::milliseconds limit, int& unanswered);

private:
    struct State;
    std::unique_ptr<State> state_;
};
