#include "SimulatedTerminal.h"

#include "KeyCodeStream.h"
#include "Windows1252.h"

void SimulatedTerminal::ReceiveFromHost(std::string_view bytes) {
    for (const DisplayCommand& command : decoder_.Feed(bytes)) {
        if (display_.Apply(command) && onDisplayChange)
            onDisplayChange(display_);
    }
}

std::string SimulatedTerminal::TakeKeys() {
    std::string bytes;
    for (uint16_t code : keyBuffer_)
        bytes += EncodeKeyCode(code);
    keyBuffer_.clear();
    return bytes;
}

std::string DisplaySnapshot(const TerminalDisplay& display) {
    std::string text = "DISPLAY ";
    for (int line = 1; line <= TerminalDisplay::kLines; ++line) {
        const std::string& content = display.Line(line);
        size_t end = content.find_last_not_of(' ');
        if (line > 1)
            text += '|';
        text += Windows1252ToUtf8(Windows1252Text(content.substr(0, end == std::string::npos ? 0 : end + 1)));
    }
    return text;
}
