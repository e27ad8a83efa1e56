#include "Sleeper.h"

#include <chrono>
#include <thread>

void ThreadSleeper::Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
