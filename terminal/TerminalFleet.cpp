#include "TerminalFleet.h"

#include "ServiceNotifier.h"
#include "TerminalList.h"

#include <algorithm>
#include <thread>

TerminalFleet::TerminalFleet(const SharedServiceSettings& settings, TerminalLibrary& library, HeadlessOutput& output,
                             SharedKeyLog* keyLog, std::string settingsPath)
    : settings_(settings), library_(library), output_(output), keyLog_(keyLog), settingsPath_(std::move(settingsPath)) {
}

TerminalFleet::~TerminalFleet() {
    for (auto& served : served_)
        served.terminal->RequestStop();
    served_.clear();
}

TerminalFleet::Change TerminalFleet::Serve(const std::vector<std::string>& entries, const std::vector<int>& positions,
                                           bool restartKept, bool stopAtFailure) {
    Change change;
    const auto wanted = [&](const std::string& entry) {
        return std::any_of(positions.begin(), positions.end(), [&](int p) { return entries[p] == entry; });
    };
    std::vector<Served> leaving;
    for (auto& served : served_)
        if (!wanted(served.entry))
            leaving.push_back(std::move(served));
    std::erase_if(served_, [](const Served& served) { return !served.terminal; });
    for (auto& served : leaving)
        served.terminal->RequestStop();
    for (auto& served : leaving) {
        served.terminal->Join();
        commandsOfStopped_ += served.terminal->Commands();
    }
    change.stopped = static_cast<int>(leaving.size());

    for (int position : positions) {
        const std::string& entry = entries[position];
        const auto running =
            std::find_if(served_.begin(), served_.end(), [&](const Served& served) { return served.entry == entry; });
        if (running != served_.end()) {
            running->terminal->MoveTo(position);
            if (restartKept)
                running->terminal->RequestRestart();
            ++change.kept;
            continue;
        }
        auto terminal = std::make_unique<HeadlessTerminal>(position, TerminalNumberOfEntry(entry, position), settings_,
                                                           library_, output_, keyLog_);
        if (!terminal->Connect(settingsPath_)) {
            ++change.failed;
            if (stopAtFailure)
                break;
            continue;
        }
        served_.push_back({entry, std::move(terminal)});
        ++change.started;
    }
    return change;
}

bool TerminalFleet::StopWithin(std::chrono::milliseconds bound) {
    for (auto& served : served_)
        served.terminal->RequestStop();
    const auto deadline = std::chrono::steady_clock::now() + bound;
    const auto allLeft = [this] {
        return std::all_of(served_.begin(), served_.end(),
                           [](const Served& served) { return served.terminal->Left(); });
    };
    while (!allLeft()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool TerminalFleet::AllTickedSince(HeadlessTerminal::Clock::time_point since) const {
    return std::all_of(served_.begin(), served_.end(),
                       [since](const Served& served) { return served.terminal->LastTick() >= since; });
}

ServiceTally TerminalFleet::Tally() const {
    ServiceTally tally;
    tally.terminals = static_cast<int>(served_.size());
    tally.commands = commandsOfStopped_;
    for (const auto& served : served_) {
        const auto state = served.terminal->State();
        tally.connected += state == HeadlessTerminal::Condition::Serving;
        tally.unanswering += state == HeadlessTerminal::Condition::Unanswering;
        tally.commands += served.terminal->Commands();
    }
    if (const auto lastError = output_.LastError())
        tally.lastError = HeadlessOutput::Clock::to_time_t(*lastError);
    return tally;
}

void PetWatchdog(ServiceNotifier& notifier, const TerminalFleet& fleet) {
    const auto interval = notifier.WatchdogInterval();
    if (!interval)
        return;
    const auto now = ServiceNotifier::Clock::now();
    notifier.Watchdog(fleet.AllTickedSince(now - *interval), now);
}
