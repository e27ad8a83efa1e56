#pragma once
// Key codes from the terminal to the host: each code an unsigned 16-bit
// value, sent as two bytes, high byte first, with nothing in between.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

std::string EncodeKeyCode(uint16_t code);

// Collects the codes out of bytes that may arrive in any pieces; an odd byte
// waits for its partner.
class KeyCodeReader {
public:
    void Feed(std::string_view bytes);
    bool HasCode() const { return !codes_.empty(); }
    // The oldest code not yet taken; call only when HasCode().
    uint16_t TakeCode();
    // Forgets an odd byte left by a connection that ended; the codes stay.
    void DropPartialCode() { highByte_ = -1; }

private:
    std::deque<uint16_t> codes_;
    int highByte_ = -1;
};
