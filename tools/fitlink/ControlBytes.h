#pragma once
// The control bytes both ends of the display protocol agree on.

inline constexpr char kStx = '\x02';  // opens a frame under the STX/ETX framing
inline constexpr char kEtx = '\x03';  // closes it
inline constexpr char kEsc = '\x1b';  // starts a VT100 sequence

// Bytes below 0x20 and DEL: never display text.
constexpr bool IsControl(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7f;
}
