#pragma once
// The operator's key-mapping choices as the polling loop reads them at each
// key: the letter boxes EdtA to EdtZ and the special code pairs (code box
// EdtC1 to EdtC8, action list CbC1 to CbC8).
#include "Windows1252Text.h"

class KeyMapping {
public:
    static constexpr int kSpecialPairs = 8;

    virtual ~KeyMapping() = default;
    // The mapping box of an upper-case letter 'A' to 'Z', as it stands.
    virtual Windows1252Text LetterMapping(char letter) const = 0;
    // Pair 1 to 8: the code box's text, and the selected action (-1 for none).
    virtual Windows1252Text SpecialCode(int pair) const = 0;
    virtual int SpecialAction(int pair) const = 0;
};
