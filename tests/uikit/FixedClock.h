#pragma once
// Pins the toolkit's clock to one moment for the life of the object.
#include "DateTimeValue.h"

class FixedClock {
public:
    explicit FixedClock(TDateTime now) : previous_(quorvel::SetClock([now] { return now; })) {}
    ~FixedClock() { quorvel::SetClock(previous_); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

private:
    quorvel::Clock previous_;
};
