#include "HeadlessTerminal.h"

#include "DataModulo.h"
#include "EventGuard.h"
#include "KeyLog.h"
#include "QZ_DBIBX_CONNECT.h"
#include "TerminalService.h"

namespace {

constexpr int kTickInterval = 50;
// A terminal whose start failed is started again after this pause: nobody
// sits at a window to press "INICIAR F2".
constexpr std::chrono::milliseconds kStartRetryPause{10000};
// How long a stopping terminal lets its connection close before it closes
// the client side instead (the server rolls back and ends the attachment on
// its own; a busy one took seconds to end hundreds of them).
constexpr std::chrono::milliseconds kCloseBound{1000};

// Closes the data module's connection, for kCloseBound at most.
void CloseWithin(TDM& dataModule) {
    std::promise<void> closed;
    std::thread guard([&dataModule, ended = closed.get_future()] {
        if (ended.wait_for(kCloseBound) == std::future_status::timeout)
            dataModule.Interrupt();
    });
    dataModule.BaseDados.Close();
    closed.set_value();
    guard.join();
}

}  // namespace

void SharedKeyLog::Write(const std::string& entry) {
    const std::lock_guard lock(mutex_);
    log_.Write(entry);
}

HeadlessTerminal::HeadlessTerminal(int position, int number, const SharedServiceSettings& settings,
                                   TerminalLibrary& library, HeadlessOutput& output, SharedKeyLog* keyLog)
    : position_(position), number_(number), settings_(settings), library_(library), output_(output), keyLog_(keyLog) {
    MarkTick();
}

HeadlessTerminal::~HeadlessTerminal() {
    RequestStop();
    Join();
}

bool HeadlessTerminal::Connect(const std::string& settingsPath) {
    std::future<bool> connected = connected_.get_future();
    thread_ = std::thread([this, settingsPath] { Run(settingsPath); });
    return connected.get();
}

void HeadlessTerminal::Join() {
    if (thread_.joinable())
        thread_.join();
}

HeadlessTerminal::Condition HeadlessTerminal::State() const {
    if (!started_)
        return startFailed_ ? Condition::Unanswering : Condition::Starting;
    return library_.Away() ? Condition::Unanswering : Condition::Serving;
}

void HeadlessTerminal::Run(const std::string& settingsPath) {
    // The data module lives and dies on this thread: it registers its
    // connection and transaction as this thread's shared pair.
    TDM dataModule;
    bool connected = false;
    RunGuarded([&] { connected = ConnectFromSettings(settingsPath); });
    connected_.set_value(connected);
    if (!connected) {
        left_ = true;
        return;
    }
    RunGuarded([&] { dataModule.PrepareCommands(); });

    TerminalService service(library_, stop_, *this);
    service.SetInterpreter(&dataModule);
    // The thread goes round every 50 ms also while it waits to start the
    // terminal again, so only a call that does not come back stops its ticks.
    Clock::time_point nextStart = Clock::now();
    while (!stop_.Requested()) {
        MarkTick();
        if (restartRequested_.exchange(false) || (!started_ && Clock::now() >= nextStart)) {
            RunGuarded([&] { service.Start(); });
            started_ = timerActive_.load();
            startFailed_ = !started_;
            nextStart = Clock::now() + kStartRetryPause;
        } else if (timerActive_) {
            RunGuarded([&] { service.Tick(); });
        }
        stop_.Pause(kTickInterval);
    }
    RunGuarded([&] { service.LeaveTerminal(); });
    RunGuarded([&] { service.Stop(); });
    left_ = true;
    CloseWithin(dataModule);
}

void HeadlessTerminal::ReportOutcome(const std::string& line) {
    output_.Problem("terminal " + std::to_string(position_) + ": " + line, HeadlessOutput::Priority::Warning);
}

void HeadlessTerminal::ShowStatus(const std::string& text) {
    if (text.starts_with("Comando: "))
        ++commands_;
    output_.Status(position_, text);
}

void HeadlessTerminal::WriteKeyLog(const Windows1252Text& entry) {
    if (keyLog_)
        keyLog_->Write(entry.Bytes());
}

Windows1252Text HeadlessTerminal::LetterMapping(char letter) const {
    return Windows1252Text(letter >= 'A' && letter <= 'Z' ? settings_.Current()->letters[letter - 'A'] : std::string());
}

Windows1252Text HeadlessTerminal::SpecialCode(int pair) const {
    return Windows1252Text(pair >= 1 && pair <= kSpecialPairs ? settings_.Current()->specialCodes[pair - 1]
                                                              : std::string());
}

int HeadlessTerminal::SpecialAction(int pair) const {
    return pair >= 1 && pair <= kSpecialPairs ? settings_.Current()->specialActions[pair - 1] : -1;
}
