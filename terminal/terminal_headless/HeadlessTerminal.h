#pragma once
// One terminal served by the service without windows, on a thread of its
// own with its own data module (attachment, transaction, loaded tab and
// prompt) and its own command line, so a slow command on one terminal never
// holds up the polling of another. The 50 ms tick runs while the service
// has its timer on, as the window's timer would.
#include "HeadlessOutput.h"
#include "ServicePanel.h"
#include "SharedServiceSettings.h"
#include "StopSignal.h"
#include "TerminalPresenceWatch.h"

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>

class KeyLog;
class TerminalLibrary;

// The key log shared by the terminals of one service.
class SharedKeyLog {
public:
    explicit SharedKeyLog(KeyLog& log) : log_(log) {}
    void Write(const std::string& entry);

private:
    std::mutex mutex_;
    KeyLog& log_;
};

class HeadlessTerminal : private ServicePanel {
public:
    using Clock = std::chrono::steady_clock;
    enum class Condition { Starting, Serving, Unanswering };

    // position: the terminal's place in the list, shown in its status lines;
    // number: what the library knows it by. The key mappings and the
    // protocol are read from `settings` whenever they are needed. keyLog may
    // be null (log off).
    HeadlessTerminal(int position, int number, const SharedServiceSettings& settings, TerminalLibrary& library,
                     HeadlessOutput& output, SharedKeyLog* keyLog);
    ~HeadlessTerminal() override;
    HeadlessTerminal(const HeadlessTerminal&) = delete;
    HeadlessTerminal& operator=(const HeadlessTerminal&) = delete;

    // Starts the thread, which connects its data module with the settings
    // file; returns once the connection has been made (true) or has failed
    // (false: the thread has ended and the reason was shown).
    bool Connect(const std::string& settingsPath);
    // Asks the thread to stop the terminal as "PARAR F3" does and end.
    void RequestStop() { stop_.Request(); }
    // Waits for the thread, which stops the terminal once a stop has been
    // requested.
    void Join();
    // Whether the thread, asked to stop, has left the terminal: its last
    // reply on the display, the terminal stopped. Its connection may still
    // be closing.
    bool Left() const { return left_; }

    // The list position shown in the status lines from now on.
    void MoveTo(int position) { position_ = position; }
    // Starts the terminal again on its thread, as "INICIAR F2" on a started
    // terminal does (the protocol or the port changed); the command line,
    // the loaded tab and the prompt stay.
    void RequestRestart() { restartRequested_ = true; }

    Condition State() const;
    // When the thread last went round its loop: a thread stuck in a call
    // stops ticking.
    Clock::time_point LastTick() const { return Clock::time_point(Clock::duration(lastTick_.load())); }
    // Commands replied to.
    long Commands() const { return commands_; }

private:
    void Run(const std::string& settingsPath);
    void MarkTick() { lastTick_ = Clock::now().time_since_epoch().count(); }

    // ServicePanel
    int SelectedTerminal() const override { return number_; }
    int SelectedProtocol() const override { return settings_.Current()->protocol; }
    void ShowStatus(const std::string& text) override;
    void SetTimerActive(bool active) override { timerActive_ = active; }
    void WriteKeyLog(const Windows1252Text& entry) override;
    // On standard error, a warning for the journal.
    void ReportOutcome(const std::string& line) override;
    Windows1252Text LetterMapping(char letter) const override;
    Windows1252Text SpecialCode(int pair) const override;
    int SpecialAction(int pair) const override;

    std::atomic<int> position_;
    const int number_;
    const SharedServiceSettings& settings_;
    TerminalPresenceWatch library_;
    StopSignal stop_;
    HeadlessOutput& output_;
    SharedKeyLog* keyLog_;
    std::atomic<bool> timerActive_ = false;
    std::atomic<bool> restartRequested_ = false;
    // Whether the last start reached the terminal, and whether one failed.
    std::atomic<bool> started_ = false;
    std::atomic<bool> startFailed_ = false;
    std::atomic<Clock::rep> lastTick_;
    std::atomic<long> commands_ = 0;
    std::atomic<bool> left_ = false;
    std::promise<bool> connected_;
    std::thread thread_;
};
