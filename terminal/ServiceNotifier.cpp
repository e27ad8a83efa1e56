#include "ServiceNotifier.h"

#include <cstdint>
#include <systemd/sd-daemon.h>

ServiceNotifier::ServiceNotifier() {
    std::uint64_t microseconds = 0;
    if (sd_watchdog_enabled(0, &microseconds) > 0 && microseconds > 0)
        watchdogInterval_ = std::chrono::microseconds(microseconds);
}

void ServiceNotifier::Ready(const std::string& status) {
    lastStatus_ = status;
    Send("READY=1\nSTATUS=" + status);
}

void ServiceNotifier::Reloading() { Send("RELOADING=1"); }

void ServiceNotifier::Stopping() { Send("STOPPING=1"); }

void ServiceNotifier::Status(const std::string& status) {
    if (status == lastStatus_)
        return;
    lastStatus_ = status;
    Send("STATUS=" + status);
}

void ServiceNotifier::Watchdog(bool alive, Clock::time_point now) {
    if (!watchdogInterval_ || !alive)
        return;
    if (lastPet_ && now - *lastPet_ < *watchdogInterval_ / 2)
        return;
    lastPet_ = now;
    Send("WATCHDOG=1");
}

void ServiceNotifier::Send(const std::string& state) { sd_notify(0, state.c_str()); }
