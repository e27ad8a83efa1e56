#pragma once
// The terminal without its network: bytes from the host drive the display,
// pressed keys wait in the key buffer until they can be sent.
#include "DisplayDecoder.h"
#include "TerminalDisplay.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

class SimulatedTerminal {
public:
    explicit SimulatedTerminal(Framing framing) : framing_(framing), decoder_(framing) {}

    // Called after every command that changed what the display shows.
    std::function<void(const TerminalDisplay&)> onDisplayChange;

    // A new host starts with a fresh decoder: a command cut off by the last
    // host is not completed by the next one.
    void HostConnected() { decoder_ = DisplayDecoder(framing_); }
    void ReceiveFromHost(std::string_view bytes);

    void PressKey(uint16_t code) { keyBuffer_.push_back(code); }
    // The key buffer, encoded for the host, and emptied.
    std::string TakeKeys();

    const TerminalDisplay& Display() const { return display_; }

private:
    Framing framing_;
    DisplayDecoder decoder_;
    TerminalDisplay display_;
    std::deque<uint16_t> keyBuffer_;
};

// "DISPLAY " and the four lines joined with "|", trailing blanks removed,
// in UTF-8: the line the scripted mode prints after every display change.
std::string DisplaySnapshot(const TerminalDisplay& display);
