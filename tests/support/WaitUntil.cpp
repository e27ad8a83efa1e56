#include "WaitUntil.h"

#include <thread>

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit, std::chrono::microseconds pause) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(pause);
    }
    return true;
}
