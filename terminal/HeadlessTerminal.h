#pragma once
// One terminal served by the service without windows, on a thread of its
// own with its own data module (attachment, transaction, loaded tab and
// prompt) and its own command line, so a slow command on one terminal never
// holds up the polling of another. The 50 ms tick runs while the service
// has its timer on, as the window's timer would.
#include "HeadlessOutput.h"
#include "ServicePanel.h"
#include "ServiceSettings.h"

#include <atomic>
#include <future>
#include <mutex>
#include <string>
#include <thread>

class KeyLog;
class StopSignal;
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
    // position: the terminal's place in the list, shown in its status lines;
    // number: what the library knows it by. keyLog may be null (log off).
    HeadlessTerminal(int position, int number, const ServiceSettings& settings, TerminalLibrary& library,
                     StopSignal& stop, HeadlessOutput& output, SharedKeyLog* keyLog);
    ~HeadlessTerminal() override;
    HeadlessTerminal(const HeadlessTerminal&) = delete;
    HeadlessTerminal& operator=(const HeadlessTerminal&) = delete;

    // Starts the thread, which connects its data module with the settings
    // file; returns once the connection has been made (true) or has failed
    // (false: the thread has ended and the reason was shown).
    bool Connect(const std::string& settingsPath);
    // Waits for the thread, which stops the terminal once the stop signal
    // has been given.
    void Join();

private:
    void Run(const std::string& settingsPath);

    // ServicePanel
    int SelectedTerminal() const override { return number_; }
    int SelectedProtocol() const override { return settings_.protocol; }
    void ShowStatus(const std::string& text) override { output_.Status(position_, text); }
    void SetTimerActive(bool active) override { timerActive_ = active; }
    void WriteKeyLog(const Windows1252Text& entry) override;
    Windows1252Text LetterMapping(char letter) const override;
    Windows1252Text SpecialCode(int pair) const override;
    int SpecialAction(int pair) const override;

    const int position_;
    const int number_;
    const ServiceSettings& settings_;
    TerminalLibrary& library_;
    StopSignal& stop_;
    HeadlessOutput& output_;
    SharedKeyLog* keyLog_;
    std::atomic<bool> timerActive_ = false;
    std::promise<bool> connected_;
    std::thread thread_;
};
