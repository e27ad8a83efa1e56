#pragma once
// The end of a terminal's thread in the service without windows:
// pauses wait on it, so a stop request ends them at once instead of after
// the 3000 ms a reply stays on the display, and the reading loop asks it
// before every key.
#include "Sleeper.h"

#include <condition_variable>
#include <mutex>

class StopSignal : public Sleeper {
public:
    void Request();
    bool Requested() const;
    bool StopRequested() const override { return Requested(); }
    // Waits the whole pause, or until a stop is requested.
    void Pause(int milliseconds) override;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool requested_ = false;
};
