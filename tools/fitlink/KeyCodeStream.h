#pragma once
// Key codes from the terminal to the host: each code an unsigned 16-bit
// value, sent as two bytes, high byte first, with nothing in between.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

std::string EncodeKeyCode(uint16_t code);

// Collects the codes out of bytes that may arrive in any pieces; an odd byte
// waits for its partner. Holds at most `capacity` codes: the reader takes
// only as many bytes as there is room for and leaves the rest where they
// are (with the sender), so nothing is dropped and nothing grows.
class KeyCodeReader {
public:
    explicit KeyCodeReader(size_t capacity) : capacity_(capacity) {}

    // How many more bytes Feed may be given now.
    size_t Room() const { return (capacity_ - codes_.size()) * 2 - (highByte_ >= 0 ? 1 : 0); }
    // Takes at most Room() bytes.
    void Feed(std::string_view bytes);
    bool HasCode() const { return !codes_.empty(); }
    // The oldest code not yet taken; call only when HasCode().
    uint16_t TakeCode();
    // Forgets an odd byte left by a connection that ended; the codes stay.
    void DropPartialCode() { highByte_ = -1; }

private:
    size_t capacity_;
    std::deque<uint16_t> codes_;
    int highByte_ = -1;
};
