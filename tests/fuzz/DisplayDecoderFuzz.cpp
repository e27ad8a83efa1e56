// The terminal's display decoder on any bytes from the host. The first byte
// picks the framing and how the rest is cut into pieces; the rest is the
// byte stream. Commands must not depend on how the bytes were cut, must be
// well formed, and what the encoder sends must decode to what it meant.
#include "ControlBytes.h"
#include "DisplayDecoder.h"
#include "DisplayEncoder.h"
#include "FuzzInput.h"

#include <string>
#include <vector>

namespace {

// Text split by a piece boundary arrives as two writes; join neighbours so
// that streams cut differently compare equal.
void Append(std::vector<DisplayCommand>& all, std::vector<DisplayCommand> more) {
    for (auto& command : more) {
        if (command.kind == DisplayCommand::Kind::Write && !all.empty() &&
            all.back().kind == DisplayCommand::Kind::Write)
            all.back().text += command.text;
        else
            all.push_back(std::move(command));
    }
}

bool WellFormed(const DisplayCommand& command) {
    switch (command.kind) {
    case DisplayCommand::Kind::Clear: return command.text.empty();
    case DisplayCommand::Kind::MoveCursor:
        return command.line >= 1 && command.line <= 9999 && command.column >= 1 && command.column <= 9999;
    case DisplayCommand::Kind::Write:
        for (char c : command.text)
            if (IsControl(c))
                return false;
        return !command.text.empty();
    }
    return false;
}

std::string Blanked(std::string_view text) {
    std::string blanked(text);
    for (char& c : blanked)
        if (IsControl(c))
            c = ' ';
    return blanked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const unsigned choice = input.Byte();
    const Framing framing = choice & 1 ? Framing::Escape : Framing::StxEtx;
    const std::string_view stream = input.Rest();

    std::vector<DisplayCommand> whole;
    Append(whole, DisplayDecoder(framing).Feed(stream));
    for (const auto& command : whole)
        FuzzCheck(WellFormed(command), "every decoded command is well formed");

    DisplayDecoder pieceByPiece(framing);
    std::vector<DisplayCommand> pieces;
    size_t pieceLength = 1 + (choice >> 1) % 8;
    for (size_t at = 0; at < stream.size(); at += pieceLength, pieceLength = 1 + pieceLength % 8)
        Append(pieces, pieceByPiece.Feed(stream.substr(at, pieceLength)));
    FuzzCheck(pieces == whole, "the commands do not depend on how the bytes arrive");

    const int line = 1 + static_cast<int>(choice % 40);
    const int column = 1 + static_cast<int>(stream.size() % 9999);
    const std::string sent =
        EncodeClear(framing) + EncodeMoveCursor(framing, line, column) + EncodeWrite(framing, stream);
    std::vector<DisplayCommand> expected{{DisplayCommand::Kind::Clear},
                                         {DisplayCommand::Kind::MoveCursor, line, column}};
    if (!stream.empty())
        expected.push_back({DisplayCommand::Kind::Write, 0, 0, Blanked(stream)});
    FuzzCheck(DisplayDecoder(framing).Feed(sent) == expected, "encoded commands decode to themselves");
    return 0;
}
