#include "DisplayEncoder.h"

#include "ControlBytes.h"

namespace {

std::string Framed(Framing framing, std::string payload) {
    if (framing == Framing::Escape)
        return payload;
    return kStx + payload + kEtx;
}

}  // namespace

std::string EncodeClear(Framing framing) { return Framed(framing, std::string{kEsc} + "[2J"); }

std::string EncodeMoveCursor(Framing framing, int line, int column) {
    return Framed(framing, std::string{kEsc} + "[" + std::to_string(line) + ";" + std::to_string(column) + "H");
}

std::string EncodeWrite(Framing framing, std::string_view text) {
    std::string payload(text);
    for (char& c : payload) {
        if (IsControl(c))
            c = ' ';
    }
    return Framed(framing, std::move(payload));
}
