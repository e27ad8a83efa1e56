#include "StopSignal.h"

#include <chrono>

void StopSignal::Request() {
    {
        const std::lock_guard lock(mutex_);
        requested_ = true;
    }
    changed_.notify_all();
}

bool StopSignal::Requested() const {
    const std::lock_guard lock(mutex_);
    return requested_;
}

void StopSignal::Pause(int milliseconds) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return requested_; });
}
