#pragma once
// Carries out fault steps on a FaultRig and checks, after the run, what a
// reply promises: per terminal, every "000" add stored exactly once, every
// failure or refusal stored nothing, every unknown outcome resolved in the
// service's lines, each tab's totals equal to its items, every reply shown
// on the terminal's display, no terminal stuck, and the service answering a
// fresh command afterwards and ending cleanly at SIGTERM.
#include "FaultRig.h"
#include "FaultSchedule.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One command as the service reported it: the line it ran and its reply.
struct Exchange {
    std::string command;
    std::string reply;
};

class FaultRunner {
public:
    using Clock = std::chrono::steady_clock;

    explicit FaultRunner(FaultRig& rig);

    // Carries out one step; a command waits until its terminal has shown
    // the reply to the one before and its prompt.
    void Run(const FaultStep& step);
    // Lifts every fault, has each terminal answer V, ends the service with
    // SIGTERM (unless a step did) and checks the store.
    void Finish();

    const std::vector<std::string>& Violations() const { return violations_; }
    const std::vector<std::string>& Schedule() const { return schedule_; }
    const std::vector<Exchange>& ExchangesOf(int terminal) const { return exchanges_.at(terminal); }
    // Seconds from SIGTERM to the service's end, and whether the database
    // link was still stalled then.
    std::optional<double> StopSeconds() const { return stopSeconds_; }
    bool StoppedWhileStalled() const { return stoppedWhileStalled_; }
    // How often a fault was put on ("commit-answer-lost", "db-stall"...).
    int Faults(const std::string& name) const {
        const auto found = faults_.find(name);
        return found == faults_.end() ? 0 : found->second;
    }
    // "commands: ... faults: ... stop ... violations N", for the summary line.
    std::string Tally() const;
    // Whether the service has ended (a step stopped it, or it died).
    bool ServiceEnded() const { return serviceEnded_; }

private:
    struct Track {
        size_t awaited = 0;       // exchanges expected once the last typed command is answered
        size_t shown = 0;         // exchanges whose reply the display has shown
        size_t displayCursor = 0; // display lines before it are matched
        Clock::time_point typedAt;
        Clock::time_point linkFaultAt;  // last fault on this terminal's link
        std::string lastKeys;
    };

    void Refresh();
    void ReadExchanges(const std::string& output);
    void ReadDisplays(int terminal, const std::string& output);
    bool Idle(int terminal);
    // Waits until the terminal is idle; notes what is missing when it does not get there.
    void WaitIdle(int terminal);
    void WaitAllIdle();
    // Waits until `done` holds; false when it does not within the time or
    // the service ended by itself meanwhile (a violation).
    bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit);
    bool ServiceDied();
    void Type(int terminal, const std::string& keys);
    void Fault(const FaultStep& step);
    void HitCommand(const FaultStep& step);
    // SIGTERM once the last command reached the database link and the
    // step's pause passed.
    void StopService(const FaultStep& step);
    // SIGTERM now; notes how long the service took to end.
    void EndService();
    void FreshCommand(int terminal);
    void CheckStore();
    void Violation(const std::string& text) { violations_.push_back(text); }

    FaultRig& rig_;
    std::vector<Track> tracks_;
    std::vector<std::vector<Exchange>> exchanges_;
    std::vector<std::vector<std::string>> displays_;
    size_t programRead_ = 0;
    std::vector<size_t> displaysRead_;
    std::vector<std::pair<Clock::time_point, std::function<void()>>> reverts_;
    std::vector<std::string> schedule_;
    std::vector<std::string> violations_;
    std::map<std::string, int> faults_;
    std::map<std::string, int> unanswered_;
    long packetsAtLastKeys_ = 0;
    // Client packets of an add on each terminal's warm connection, 0 while unknown.
    std::map<int, long> warmAddPackets_;
    bool serviceEnded_ = false;
    bool stoppedDuringFault_ = false;  // a step stopped the service, not the end of the run
    std::optional<double> stopSeconds_;
    bool stoppedWhileStalled_ = false;
};

// The class of a reply: its three-digit code ("000", "900", "201"...).
std::string ReplyCode(const std::string& reply);
