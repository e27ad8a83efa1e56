#include "ProcessUsage.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

ProcessUsage UsageOf(int pid) {
    ProcessUsage usage;
    const std::string folder = "/proc/" + std::to_string(pid) + "/";
    std::ifstream stat(folder + "stat");
    std::string line;
    if (std::getline(stat, line)) {
        // Fields after the command name, which ends with the last ')':
        // state is field 3, utime field 14 and stime field 15.
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        std::string field;
        double ticks = 0;
        for (int number = 3; number <= 15 && fields >> field; ++number)
            if (number >= 14)
                ticks += std::stod(field);
        usage.cpuSeconds = ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
    }
    std::ifstream status(folder + "status");
    while (std::getline(status, line))
        if (line.starts_with("VmHWM:"))
            usage.peakKilobytes = std::stol(line.substr(6));
    return usage;
}

double CoreShare(const ProcessUsage& before, const ProcessUsage& after, std::chrono::steady_clock::duration wall) {
    const double seconds = std::chrono::duration<double>(wall).count();
    return seconds > 0 ? (after.cpuSeconds - before.cpuSeconds) / seconds : 0;
}

double LoadAverage() {
    std::ifstream loadavg("/proc/loadavg");
    double load = 0;
    loadavg >> load;
    return load;
}
