// Cost of one key-log entry on an empty log and on a 10 MB log. With the
// log on, the terminal service writes an entry for every key read, about ten
// times a second even when no key is pressed, so an entry must not cost more
// as the file grows.
#include "KeyLog.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kEntries = 2000;
constexpr std::uintmax_t kLargeLog = 10 * 1024 * 1024;

double MicrosecondsSince(Clock::time_point start, int count) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

void Measure(const char* name, const fs::path& path) {
    KeyLog log(path.string());
    auto start = Clock::now();
    log.Write("#LOG: TERMINAL INICIADO#");
    const double first = MicrosecondsSince(start, 1);
    start = Clock::now();
    for (int i = 0; i < kEntries; ++i)
        log.Write(i % 10 ? "C [67]" : std::string("\0 [0]", 5));
    std::printf("%-14s %8.1f MB  first entry %9.1f us  then %7.1f us per entry (%d entries)\n", name,
                static_cast<double>(fs::file_size(path)) / (1024 * 1024), first, MicrosecondsSince(start, kEntries),
                kEntries);
}

}  // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / ("bench-keylog-" + std::to_string(getpid()));
    fs::create_directories(folder);

    Measure("empty log", folder / "empty.txt");

    const fs::path large = folder / "large.txt";
    {
        std::ofstream out(large, std::ios::binary);
        const std::string line = "#LOG: COMANDO DECODIFICADO - 7891000100103#\r\n";
        for (std::uintmax_t size = 0; size < kLargeLog; size += line.size())
            out << line;
    }
    Measure("10 MB log", large);

    fs::remove_all(folder);
}
