#pragma once
// One command for the terminal's display, as decoded from the wire.
#include <string>

struct DisplayCommand {
    enum class Kind { Clear, MoveCursor, Write };

    Kind kind;
    int line = 0;        // MoveCursor: from 1
    int column = 0;      // MoveCursor: from 1
    std::string text{};  // Write: Windows-1252 bytes, no control characters

    bool operator==(const DisplayCommand&) const = default;
};
