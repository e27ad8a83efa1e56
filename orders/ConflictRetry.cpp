#include "ConflictRetry.h"

#include <algorithm>
#include <random>
#include <thread>

void ConflictRetry::PauseBefore(int retry) const {
    const int ceiling = std::min(kLongestPauseMs, 2 * retry);
    sleep(std::chrono::milliseconds(random(1, ceiling)));
}

ConflictRetry::Sleep ConflictRetry::DefaultSleep() {
    return [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
}

ConflictRetry::Random ConflictRetry::DefaultRandom() {
    return [](int low, int high) {
        thread_local std::minstd_rand generator{std::random_device{}()};
        return std::uniform_int_distribution<int>(low, high)(generator);
    };
}
