#pragma once
// What a running process has used, read from /proc: processor time and the
// most memory it ever held. For benchmarks on Linux.
#include <chrono>
#include <string>

struct ProcessUsage {
    double cpuSeconds = 0;   // user and system time of all its threads so far
    long peakKilobytes = 0;  // VmHWM: the largest resident set so far
};

// Zeros when the process is gone.
ProcessUsage UsageOf(int pid);

// The share of one core a process used between two readings: 0.5 is half
// a core, 2.0 two whole cores.
double CoreShare(const ProcessUsage& before, const ProcessUsage& after, std::chrono::steady_clock::duration wall);

// The one-minute load average, as /proc/loadavg gives it.
double LoadAverage();
