#pragma once
// The terminal's keyboard: letters, digits, comma, full stop, Enter and the
// eight special keys, whose codes are set on the terminal.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Key {
    std::string label;
    uint16_t code;
};

class Keyboard {
public:
    // Special keys with their usual codes: F1 to F5 201 to 205, FX 206,
    // DEL 127, ESC 27.
    Keyboard();

    // "NAME=CODE" (for example "F1=200") gives a special key another code;
    // false for an unknown name or a code that is not 0 to 65535.
    bool SetSpecialCode(const std::string& assignment);

    // The keys row by row as on the terminal: digits, letters with comma,
    // full stop and Enter, then the special keys in the last row.
    const std::vector<std::vector<Key>>& Rows() const { return rows_; }
    // The code of the key with that label ("F1", "ENTER", "A"), if any.
    std::optional<uint16_t> Code(const std::string& label) const;

private:
    std::vector<std::vector<Key>> rows_;
};
