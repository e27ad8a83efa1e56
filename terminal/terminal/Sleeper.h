#pragma once
// The blocking pauses of the polling loop (50 ms after a key read, 1000 ms at
// start, 3000 ms while a reply is shown) go through a Sleeper so tests can
// run them without waiting.

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void Pause(int milliseconds) = 0;
    // True once a stop has been requested and the pauses end at once: the
    // reading loop then reads no further key, so a terminal that keeps
    // sending cannot hold the stop up. Never, for a sleeper that only waits.
    virtual bool StopRequested() const { return false; }
};

// Blocks the calling thread for the whole pause.
class ThreadSleeper : public Sleeper {
public:
    void Pause(int milliseconds) override;
};
