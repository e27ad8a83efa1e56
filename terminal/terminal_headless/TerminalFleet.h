#pragma once
// The terminals one service serves, each a HeadlessTerminal of its own,
// known by its list entry ("key=address"). Serving another set of entries
// (the service read its settings again) stops the terminals whose entry is
// gone, as "PARAR F3" stops them, starts the new ones, and leaves the others
// running: their connection, command line, loaded tab and prompt stay.
#include "HeadlessTerminal.h"
#include "ServiceStatusText.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

class ServiceNotifier;

class TerminalFleet {
public:
    // settingsPath: the file each new terminal's data module connects with.
    TerminalFleet(const SharedServiceSettings& settings, TerminalLibrary& library, HeadlessOutput& output,
                  SharedKeyLog* keyLog, std::string settingsPath);
    // Stops every terminal and waits for their threads.
    ~TerminalFleet();
    TerminalFleet(const TerminalFleet&) = delete;
    TerminalFleet& operator=(const TerminalFleet&) = delete;

    struct Change {
        int started = 0;
        int stopped = 0;
        int kept = 0;
        int failed = 0;  // new terminals whose data module could not connect
    };
    // Serves the entries at these list positions of `entries`. Terminals to
    // stop are stopped first, so no terminal number is polled twice; then
    // the kept ones take their new positions and, with `restartKept`, start
    // again in place; then each new terminal connects, one after the other.
    // With `stopAtFailure` the first new terminal that cannot connect ends
    // the call (the ones before it run on).
    Change Serve(const std::vector<std::string>& entries, const std::vector<int>& positions, bool restartKept,
                 bool stopAtFailure);

    // Asks every terminal to stop and waits until each has left its
    // terminal (its last reply on the display), `bound` at most; their
    // connections may still be closing. False when one had not left.
    bool StopWithin(std::chrono::milliseconds bound);

    // Whether every terminal's thread ticked at or after `since`.
    bool AllTickedSince(HeadlessTerminal::Clock::time_point since) const;
    ServiceTally Tally() const;

private:
    struct Served {
        std::string entry;
        std::unique_ptr<HeadlessTerminal> terminal;
    };

    const SharedServiceSettings& settings_;
    TerminalLibrary& library_;
    HeadlessOutput& output_;
    SharedKeyLog* keyLog_;
    const std::string settingsPath_;
    std::vector<Served> served_;
    long commandsOfStopped_ = 0;
};

// WATCHDOG=1 when the manager watches the service, half its interval has
// passed since the last one, and every terminal's thread ticked within the
// interval; a thread stuck in a call stops the pets.
void PetWatchdog(ServiceNotifier& notifier, const TerminalFleet& fleet);
