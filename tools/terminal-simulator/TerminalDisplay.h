#pragma once
// The terminal's 4-line by 20-column display with its cursor. A cursor
// position past the last column puts the cursor at the end of the line;
// characters written there are lost (the display neither wraps nor scrolls).
#include "DisplayCommand.h"

#include <array>
#include <string>

class TerminalDisplay {
public:
    static constexpr int kLines = 4;
    static constexpr int kColumns = 20;

    TerminalDisplay();

    // Carries out one command; true when what the display shows changed.
    bool Apply(const DisplayCommand& command);

    // Line 1 to 4, always 20 Windows-1252 bytes, blanks where nothing stands.
    const std::string& Line(int line) const { return lines_[line - 1]; }
    int CursorLine() const { return cursorLine_; }
    int CursorColumn() const { return cursorColumn_; }  // 21 at the end of a line

private:
    std::array<std::string, kLines> lines_;
    int cursorLine_ = 1;
    int cursorColumn_ = 1;
};
