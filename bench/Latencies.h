#pragma once
// Command times collected by a benchmark, and the figures it prints.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

class Latencies {
public:
    void Add(std::chrono::steady_clock::duration elapsed) {
        milliseconds_.push_back(std::chrono::duration<double, std::milli>(elapsed).count());
    }
    void Add(const Latencies& other) {
        milliseconds_.insert(milliseconds_.end(), other.milliseconds_.begin(), other.milliseconds_.end());
    }
    std::size_t Count() const { return milliseconds_.size(); }
    double Median() const { return Percentile(0.5); }
    double P99() const { return Percentile(0.99); }

    // The time below which `share` of the commands took, in milliseconds.
    double Percentile(double share) const {
        if (milliseconds_.empty())
            return 0;
        std::vector<double> sorted = milliseconds_;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1,
                               static_cast<std::size_t>(share * static_cast<double>(sorted.size())))];
    }

private:
    std::vector<double> milliseconds_;
};
