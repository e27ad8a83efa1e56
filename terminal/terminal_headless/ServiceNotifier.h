#pragma once
// What the service tells the service manager through sd_notify: ready,
// reloading, stopping, its status sentence, and the watchdog's "still
// alive". Outside the service manager (no NOTIFY_SOCKET) every call does
// nothing.
#include <chrono>
#include <optional>
#include <string>

class ServiceNotifier {
public:
    using Clock = std::chrono::steady_clock;

    // Reads the watchdog interval the manager asks for (WATCHDOG_USEC).
    ServiceNotifier();

    // READY=1 with the status sentence.
    void Ready(const std::string& status);
    void Reloading();
    void Stopping();
    // STATUS=, only when the sentence differs from the last one sent.
    void Status(const std::string& status);

    // The interval within which the manager wants to hear from the service;
    // none when it watches nothing.
    std::optional<Clock::duration> WatchdogInterval() const { return watchdogInterval_; }
    // WATCHDOG=1 when `alive` and half the interval has passed since the
    // last one; nothing when not alive, so the manager restarts the service
    // once the interval is over.
    void Watchdog(bool alive, Clock::time_point now);

private:
    void Send(const std::string& state);

    std::optional<Clock::duration> watchdogInterval_;
    std::optional<Clock::time_point> lastPet_;
    std::string lastStatus_;
};
