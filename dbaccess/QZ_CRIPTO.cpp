#include "QZ_CRIPTO.h"

#include <random>
#include <stdexcept>

const std::array<std::string_view, 260> ScrambleCodeTable = {
    "O4", "G1", "T6", "P4", "J0", "W6", "F1", "F0", "Q2", "O6", "K8", "U6", "C3", "E6", "V2", "I9", "K1", "Q8", "P1",
    "G8", "I7", "V6", "D6", "R6", "X4", "F8", "W9", "X9", "S2", "H4", "A7", "N3", "B9", "N5", "K5", "T4", "E7", "U4",
    "A4", "U7", "U5", "C9", "O3", "I0", "G7", "R2", "U1", "L8", "I5", "M8", "A5", "J8", "Y5", "B8", "V4", "H7", "R4",
    "Q6", "D4", "Q4", "I8", "P8", "N6", "J7", "W5", "R3", "O0", "V0", "H6", "H5", "D0", "T9", "E0", "P6", "N9", "N7",
    "S6", "C6", "B5", "L6", "G5", "M7", "F2", "L2", "Z2", "V9", "R9", "M0", "B7", "A0", "U3", "P7", "M9", "X7", "F3",
    "M2", "C4", "T7", "K3", "A9", "U9", "K7", "C7", "W4", "X3", "N1", "V7", "A2", "X8", "D8", "C8", "L9", "Q7", "Z3",
    "J4", "H1", "V5", "Y2", "H9", "D1", "D9", "T8", "S9", "Z9", "O8", "F5", "E3", "R1", "W0", "Z1", "E1", "W7", "M5",
    "J5", "B1", "D5", "Y4", "F9", "Z8", "Z7", "I3", "J3", "R8", "S8", "V1", "P9", "Z6", "L5", "B0", "P5", "S1", "Y0",
    "Y1", "P2", "E4", "E9", "T5", "S7", "Q5", "W2", "B2", "O2", "D2", "I4", "O9", "X0", "I1", "O1", "Q1", "L7", "P0",
    "T3", "H8", "A6", "X5", "Y7", "F6", "K6", "Z4", "L4", "C0", "G4", "L1", "N0", "S4", "Y6", "Y8", "G6", "U8", "Q9",
    "X2", "W8", "R5", "E2", "V8", "K2", "Z0", "J9", "F4", "M1", "W1", "S5", "C2", "K9", "M3", "Q3", "R0", "H0", "H3",
    "U2", "J6", "G2", "O7", "T2", "K0", "E5", "Y3", "G3", "X1", "C5", "V3", "N2", "I6", "B6", "C1", "L0", "Y9", "G9",
    "R7", "W3", "A1", "J1", "B3", "P3", "S0", "N8", "K4", "X6", "M4", "E8", "T1", "L3", "F7", "U0", "N4", "H2", "M6",
    "D7", "O5", "B4", "J2", "T0", "D3", "I2", "A8", "A3", "G0", "Z5", "S3", "Q0",
};

namespace {

// Advances the cyclic key position: 1, 2, ..., key length, 1, 2, ...
std::size_t NextKeyPosition(std::size_t k, std::size_t keyLength) { return k < keyLength ? k + 1 : 1; }

unsigned KeyCode(std::string_view key, std::size_t position) { return static_cast<unsigned char>(key[position - 1]); }

void AppendHex(std::string& out, unsigned value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    out += digits[(value >> 4) & 0xF];
    out += digits[value & 0xF];
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

[[noreturn]] void ThrowNotHex(std::string_view group) {
    throw std::invalid_argument("\"" + std::string(group) + "\" não é um valor hexadecimal válido");
}

// Value of the (at most two) hex digits starting at the 1-based position p.
unsigned HexGroup(std::string_view text, std::size_t p) {
    const std::string_view group = p <= text.size() ? text.substr(p - 1, 2) : std::string_view{};
    if (group.empty())
        ThrowNotHex(group);
    unsigned value = 0;
    for (char c : group) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            ThrowNotHex(group);
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

unsigned RandomStartValue() {
    std::random_device seed;
    return std::uniform_int_distribution<unsigned>(0, 255)(seed);
}

std::string Encode(std::string_view text, std::string_view key) {
    unsigned a = RandomStartValue();
    std::string out;
    AppendHex(out, a);
    std::size_t k = 0;
    for (char c : text) {
        k = NextKeyPosition(k, key.size());
        const unsigned ch = static_cast<unsigned char>(c);
        const unsigned b = ((a + ch) % 255) ^ KeyCode(key, k);
        AppendHex(out, b);
        a = b;
    }
    return out;
}

std::string Decode(std::string_view hex, std::string_view key) {
    unsigned a = HexGroup(hex, 1);
    std::string out;
    std::size_t k = 0;
    std::size_t p = 3;
    do {
        const unsigned b = HexGroup(hex, p);
        k = NextKeyPosition(k, key.size());
        const unsigned x = b ^ KeyCode(key, k);
        out += static_cast<char>(a < x ? x - a : x + 255 - a);
        a = b;
        p += 2;
    } while (p < hex.size());
    return out;
}

// A code's entry number, or 261 when the table lacks it.
unsigned EntryNumber(std::string_view code) {
    for (std::size_t i = 0; i < ScrambleCodeTable.size(); ++i)
        if (ScrambleCodeTable[i] == code)
            return static_cast<unsigned>(i + 1);
    return 261;
}

}  // namespace

std::string ScrambleCore(std::string_view mode, std::string_view text, std::string_view key) {
    if (text.empty())
        return {};
    if (mode == "C")
        return Encode(text, key);
    if (mode == "D")
        return Decode(text, key);
    return {};
}

std::string Scramble(std::string_view text, std::string_view key) {
    std::string stored;
    for (char c : ScrambleCore("C", text, key))
        stored += ScrambleCodeTable[static_cast<unsigned char>(c) - 1];
    return stored;
}

std::string Unscramble(std::string_view stored, std::string_view key) {
    std::string hex;
    for (std::size_t i = 0; i + 1 < stored.size(); i += 2) {
        // Entries above 255 (and unknown pairs) stand for characters that are
        // never hex digits; a NUL byte keeps them just as unconvertible.
        const unsigned entry = EntryNumber(stored.substr(i, 2));
        hex += entry <= 255 ? static_cast<char>(entry) : '\0';
    }
    return ScrambleCore("D", hex, key);
}
