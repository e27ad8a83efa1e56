#pragma once
// The main window as the terminal service sees it, with the default key
// mapping (letters map to themselves, pair 1: code 27 clears the display).
#include "ServicePanel.h"

#include <array>
#include <string>
#include <vector>

class FakeServicePanel : public ServicePanel {
public:
    FakeServicePanel() {
        specialCodes[0] = "27";
        specialActions[0] = 7;
    }

    int SelectedTerminal() const override { return selectedTerminal; }
    int SelectedProtocol() const override { return selectedProtocol; }
    void ShowStatus(const std::string& text) override { status = text; }
    void SetTimerActive(bool active) override { timerActive = active; }
    void WriteKeyLog(const Windows1252Text& entry) override { keyLog.push_back(entry.Bytes()); }
    Windows1252Text LetterMapping(char letter) const override { return Windows1252Text(letters[letter - 'A']); }
    Windows1252Text SpecialCode(int pair) const override { return Windows1252Text(specialCodes[pair - 1]); }
    int SpecialAction(int pair) const override { return specialActions[pair - 1]; }

    int selectedTerminal = 0;
    int selectedProtocol = 0;
    std::string status = "terminal desconectado";
    bool timerActive = false;
    // The key log and the mapping boxes in Windows-1252 bytes.
    std::vector<std::string> keyLog;
    std::array<std::string, 26> letters;
    std::array<std::string, 8> specialCodes;
    std::array<int, 8> specialActions{-1, -1, -1, -1, -1, -1, -1, -1};
};
