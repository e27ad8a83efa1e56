#pragma once
// What every fuzz target shares: a property check that stops the run the
// way a fuzzing engine notices, and a reader that cuts one input into the
// parts a target needs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// Stops the program with a message when a property does not hold; the
// engine (or our driver) then keeps the input that broke it.
inline void FuzzCheck(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property does not hold: %s\n", property);
    std::abort();
}

// Reads an input front to back; past its end every read gives nothing.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
    explicit FuzzInput(std::string_view text) : rest_(text) {}

    // One byte as 0..255, 0 past the end.
    unsigned Byte() {
        if (rest_.empty())
            return 0;
        const auto byte = static_cast<unsigned char>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }

    // The text up to the next `separator` (which is dropped), or all the rest.
    std::string_view Until(char separator) {
        const size_t at = rest_.find(separator);
        const std::string_view part = rest_.substr(0, at);
        rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
        return part;
    }

    // At most `count` bytes.
    std::string_view Take(size_t count) {
        const std::string_view part = rest_.substr(0, count);
        rest_.remove_prefix(part.size());
        return part;
    }

    std::string_view Rest() const { return rest_; }
    bool Empty() const { return rest_.empty(); }

private:
    std::string_view rest_;
};
