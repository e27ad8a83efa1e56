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

    // Character keys in rows, as on the terminal, then the special keys.
    const std::vector<Key>& CharacterKeys() const { return characterKeys_; }
    const std::vector<Key>& SpecialKeys() const { return specialKeys_; }
    std::optional<uint16_t> SpecialCode(const std::string& label) const;

private:
    std::vector<Key> characterKeys_;
    std::vector<Key> specialKeys_;
};
