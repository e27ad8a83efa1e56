#pragma once
// How a command that met another terminal or the shop system in the store
// (a row held by another transaction: "lock conflict on no wait
// transaction", "update conflicts with concurrent update", "deadlock") is
// tried again. The failed attempt is rolled back whole; after a short
// random pause the command runs again from its start, at most `retries`
// times, after which the conflict is reported as the command's error. The
// pause before retry n is drawn between 1 ms and 2n ms, at most 16 ms: about
// as long as another terminal holds a tab, and spread, so terminals that
// collided take turns. With the default 120 retries a conflict is reported
// after at most 121 attempts and 1.9 s of pauses: room for ten terminals
// adding to one tab as fast as they can (the longest such add measured took
// 0.7 s), while a row the shop system holds for good ends the command
// within about two seconds.
#include <chrono>
#include <functional>

struct ConflictRetry {
    using Sleep = std::function<void(std::chrono::milliseconds)>;
    // A whole number from `low` to `high`, both included.
    using Random = std::function<int(int low, int high)>;

    static constexpr int kLongestPauseMs = 16;

    int retries = 120;
    Sleep sleep = DefaultSleep();
    Random random = DefaultRandom();

    // Waits before retry number `retry` (1 for the first).
    void PauseBefore(int retry) const;

    static Sleep DefaultSleep();
    // Drawn from a generator of the calling thread's own.
    static Random DefaultRandom();
};
