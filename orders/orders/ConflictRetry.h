#pragma once
// How a command that met another terminal or the shop system in the store
// (a row held by another transaction: "lock conflict on no wait
// transaction", "update conflicts with concurrent update", "deadlock") is
// tried again. The failed attempt is rolled back whole; after a short
// random pause the command runs again from its start, at most `retries`
// times, after which the conflict is reported as the command's error. The
// pause before retry n is drawn between 1 ms and 2n ms, at most 16 ms: about
// as long as another terminal holds a tab, and spread, so terminals that
// collided take turns. With the default 500 retries a conflict is reported
// after at most 501 attempts and 8 s of pauses (about 4 s as drawn): room
// for ten terminals adding to one tab as fast as they can on a database that
// forces writes (the longest such add measured took 1.8 s on a busy
// machine), while a row the shop system holds for good ends the command
// within a few seconds.
#include <chrono>
#include <functional>

struct ConflictRetry {
    using Sleep = std::function<void(std::chrono::milliseconds)>;
    // A whole number from `low` to `high`, both included.
    using Random = std::function<int(int low, int high)>;

    static constexpr int kLongestPauseMs = 16;

    int retries = 500;
    Sleep sleep = DefaultSleep();
    Random random = DefaultRandom();

    // Waits before retry number `retry` (1 for the first).
    void PauseBefore(int retry) const;

    static Sleep DefaultSleep();
    // Drawn from a generator of the calling thread's own.
    static Random DefaultRandom();
};
