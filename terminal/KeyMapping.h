#pragma once
// The operator's key-mapping choices as the polling loop reads them at each
// key: the letter boxes EdtA to EdtZ and the special code pairs (code box
// EdtC1 to EdtC8, action list CbC1 to CbC8). Texts are Windows-1252.
#include <string>

class KeyMapping {
public:
    static constexpr int kSpecialPairs = 8;

    virtual ~KeyMapping() = default;
    // The mapping box of an upper-case letter 'A' to 'Z', as it stands.
    virtual std::string LetterMapping(char letter) const = 0;
    // Pair 1 to 8: the code box's text, and the selected action (-1 for none).
    virtual std::string SpecialCode(int pair) const = 0;
    virtual int SpecialAction(int pair) const = 0;
};
