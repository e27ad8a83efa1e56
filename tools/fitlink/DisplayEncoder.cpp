#include "DisplayEncoder.h"

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr char kEsc = '\x1b';

std::string Framed(Framing framing, std::string payload) {
    if (framing == Framing::Escape)
        return payload;
    return kStx + payload + kEtx;
}

bool IsControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7f;
}

} // namespace

std::string EncodeClear(Framing framing) {
    return Framed(framing, std::string{kEsc} + "[2J");
}

std::string EncodeMoveCursor(Framing framing, int line, int column) {
    return Framed(framing, std::string{kEsc} + "[" + std::to_string(line) + ";" +
                               std::to_string(column) + "H");
}

std::string EncodeWrite(Framing framing, std::string_view text) {
    std::string payload(text);
    for (char& c : payload) {
        if (IsControl(static_cast<unsigned char>(c)))
            c = ' ';
    }
    return Framed(framing, std::move(payload));
}
