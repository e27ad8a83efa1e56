#pragma once
// Every text shown on the terminal's display goes through here. The display
// is cleared, then the text (blanks and control characters at both ends
// removed) is written in lines of 20 characters on lines 1 to 3, and all
// that is left on line 4. After each line the cursor is put just after the
// rest of the text as it stood before that line was written. A text equal
// to the last one requested is not sent again.
#include <string>

class TerminalLibrary;

class DisplayWriter {
public:
    explicit DisplayWriter(TerminalLibrary& library) : library_(library) {}

    // Every library result goes through CheckResult, so a failed call
    // abandons the caller. The text is remembered before the first call:
    // a text whose writing failed is not sent again until another one was.
    void WriteDisplay(unsigned char terminal, const std::string& text);

    // The text most recently requested, before trimming.
    const std::string& LastDisplayText() const { return lastDisplayText_; }

    // Makes the next text go to the display even if it equals the last one
    // (another terminal is being served).
    void ForgetLastDisplayText() { lastDisplayText_.clear(); }

private:
    TerminalLibrary& library_;
    std::string lastDisplayText_;
};
