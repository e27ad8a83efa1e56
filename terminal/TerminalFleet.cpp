#include "TerminalFleet.h"

#include "ServiceNotifier.h"
#include "TerminalList.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// In the words of the service's status sentence.
const char* ConditionWord(HeadlessTerminal::Condition condition) {
    switch (condition) {
    case HeadlessTerminal::Condition::Serving: return "conectado";
    case HeadlessTerminal::Condition::Unanswering: return "sem resposta";
    case HeadlessTerminal::Condition::Starting: return "iniciando";
    }
    return "";
}

}  // namespace

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

    std::vector<Served> fresh;
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
        fresh.push_back({entry, std::make_unique<HeadlessTerminal>(position, TerminalNumberOfEntry(entry, position),
                                                                   settings_, library_, output_, keyLog_)});
    }
    const std::vector<Outcome> outcomes = ConnectAll(fresh, stopAtFailure);
    for (size_t i = 0; i < fresh.size(); ++i) {
        change.started += outcomes[i] == Outcome::Connected;
        change.failed += outcomes[i] == Outcome::Failed;
        if (outcomes[i] == Outcome::Connected)
            served_.push_back(std::move(fresh[i]));
    }
    entries_ = entries;
    positions_ = positions;
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

std::vector<TerminalFleet::Outcome> TerminalFleet::ConnectAll(std::vector<Served>& fresh, bool stopAtFailure) {
    // Each connection waits mostly for the server (the login, the first
    // statements): several at once take a fleet's start from seconds to a
    // fraction, while the bound keeps a start of hundreds from flooding it.
    std::vector<Outcome> outcomes(fresh.size(), Outcome::NotTried);
    std::atomic<size_t> next{0};
    std::atomic<bool> givenUp{false};
    const auto connect = [&](size_t i) {
        const bool connected = fresh[i].terminal->Connect(settingsPath_);
        outcomes[i] = connected ? Outcome::Connected : Outcome::Failed;
        if (!connected && stopAtFailure)
            givenUp = true;
    };
    const auto connectSome = [&] {
        for (size_t i; !givenUp && (i = next++) < fresh.size();)
            connect(i);
    };
    if (fresh.empty())
        return outcomes;
    // The first connection alone: it writes whatever the connection
    // settings file lacks, which the others then only read.
    connect(next++);
    std::vector<std::thread> connecting;
    for (size_t i = 1; i < std::min(fresh.size(), kConnectingAtOnce); ++i)
        connecting.emplace_back(connectSome);
    connectSome();
    for (auto& thread : connecting)
        thread.join();
    return outcomes;
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

std::vector<TerminalState> TerminalFleet::States() const {
    std::vector<TerminalState> states;
    for (int position : positions_) {
        TerminalState state{position, entries_[position], "parado", {}};
        const auto running = std::find_if(served_.begin(), served_.end(),
                                          [&](const Served& served) { return served.entry == state.entry; });
        if (running != served_.end()) {
            state.condition = ConditionWord(running->terminal->State());
            state.activity = running->terminal->Activity();
        }
        states.push_back(std::move(state));
    }
    return states;
}

void PetWatchdog(ServiceNotifier& notifier, const TerminalFleet& fleet) {
    const auto interval = notifier.WatchdogInterval();
    if (!interval)
        return;
    const auto now = ServiceNotifier::Clock::now();
    notifier.Watchdog(fleet.AllTickedSince(now - *interval), now);
}
