#include "KeyCodeStream.h"

std::string EncodeKeyCode(uint16_t code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xff)}; }

void KeyCodeReader::Feed(std::string_view bytes) {
    for (char c : bytes.substr(0, Room())) {
        int byte = static_cast<unsigned char>(c);
        if (highByte_ < 0) {
            highByte_ = byte;
        } else {
            codes_.push_back(static_cast<uint16_t>(highByte_ << 8 | byte));
            highByte_ = -1;
        }
    }
}

uint16_t KeyCodeReader::TakeCode() {
    uint16_t code = codes_.front();
    codes_.pop_front();
    return code;
}
