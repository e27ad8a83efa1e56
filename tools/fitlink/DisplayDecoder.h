#pragma once
// The terminal's side of the display protocol: bytes from the host in, the
// display commands they carry out. Bytes may arrive in any pieces; a command
// cut between two pieces is completed by the next one. Anything that is not a
// known command (stray bytes, unknown or overlong escape sequences, bytes
// outside a frame) is skipped, so a confused peer cannot stall the decoder.
#include "DisplayCommand.h"
#include "Framing.h"

#include <string>
#include <string_view>
#include <vector>

class DisplayDecoder {
public:
    explicit DisplayDecoder(Framing framing) : framing_(framing) {}

    std::vector<DisplayCommand> Feed(std::string_view bytes);

private:
    // VT100 interpretation of one run of bytes; escape state carries over
    // between calls.
    void Interpret(std::string_view bytes, std::vector<DisplayCommand>& out);
    void EndEscapeSequence(char final, std::vector<DisplayCommand>& out);
    void FlushText(std::vector<DisplayCommand>& out);
    void Reset();

    enum class State { Text, Escape, Sequence };

    Framing framing_;
    State state_ = State::Text;
    std::string parameters_;
    bool overlong_ = false;  // parameters beyond any sensible length: skip the sequence
    std::string text_;
    bool inFrame_ = false;
    std::string frame_;
};
