#include "TerminalDisplay.h"

#include <algorithm>

TerminalDisplay::TerminalDisplay() { lines_.fill(std::string(kColumns, ' ')); }

bool TerminalDisplay::Apply(const DisplayCommand& command) {
    switch (command.kind) {
    case DisplayCommand::Kind::Clear: {
        const auto before = lines_;
        lines_.fill(std::string(kColumns, ' '));
        cursorLine_ = 1;
        cursorColumn_ = 1;
        return lines_ != before;
    }
    case DisplayCommand::Kind::MoveCursor:
        cursorLine_ = std::clamp(command.line, 1, kLines);
        cursorColumn_ = std::clamp(command.column, 1, kColumns + 1);
        return false;
    case DisplayCommand::Kind::Write: {
        std::string& line = lines_[cursorLine_ - 1];
        const std::string before = line;
        for (char c : command.text) {
            if (cursorColumn_ > kColumns)
                break;
            line[cursorColumn_ - 1] = c;
            ++cursorColumn_;
        }
        return line != before;
    }
    }
    return false;
}
