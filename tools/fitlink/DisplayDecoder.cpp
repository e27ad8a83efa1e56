#include "DisplayDecoder.h"

#include "ControlBytes.h"

#include <algorithm>

namespace {

// Longest frame and longest parameter list kept; longer ones are garbage.
constexpr size_t kMaxFrame = 64 * 1024;
constexpr size_t kMaxParameters = 32;
// Cursor numbers are capped here; the display clamps them anyway.
constexpr int kMaxNumber = 9999;

// "l;c" into its numbers; a missing or empty number is 1, as in VT100.
std::vector<int> Numbers(const std::string& parameters) {
    std::vector<int> numbers{0};
    for (char c : parameters) {
        if (c == ';')
            numbers.push_back(0);
        else
            numbers.back() = std::min(kMaxNumber, numbers.back() * 10 + (c - '0'));
    }
    for (int& n : numbers) {
        if (n == 0)
            n = 1;
    }
    return numbers;
}

}  // namespace

std::vector<DisplayCommand> DisplayDecoder::Feed(std::string_view bytes) {
    std::vector<DisplayCommand> out;
    if (framing_ == Framing::Escape) {
        Interpret(bytes, out);
        FlushText(out);
        return out;
    }
    for (char byte : bytes) {
        if (byte == kStx) {
            inFrame_ = true;
            frame_.clear();
        } else if (!inFrame_) {
            continue;
        } else if (byte == kEtx) {
            inFrame_ = false;
            Interpret(frame_, out);
            FlushText(out);
            Reset();
        } else if (frame_.size() < kMaxFrame) {
            frame_ += byte;
        } else {
            inFrame_ = false;
        }
    }
    return out;
}

void DisplayDecoder::Interpret(std::string_view bytes, std::vector<DisplayCommand>& out) {
    for (char byte : bytes) {
        if (byte == kEsc) {
            FlushText(out);
            state_ = State::Escape;
            continue;
        }
        switch (state_) {
        case State::Text:
            if (!IsControl(byte))
                text_ += byte;
            break;
        case State::Escape:
            state_ = byte == '[' ? State::Sequence : State::Text;
            parameters_.clear();
            overlong_ = false;
            break;
        case State::Sequence:
            if ((byte >= '0' && byte <= '9') || byte == ';') {
                if (parameters_.size() < kMaxParameters)
                    parameters_ += byte;
                else
                    overlong_ = true;
            } else {
                if (byte >= 0x40 && byte <= 0x7e && !overlong_)
                    EndEscapeSequence(byte, out);
                state_ = State::Text;
            }
            break;
        }
    }
}

void DisplayDecoder::EndEscapeSequence(char final, std::vector<DisplayCommand>& out) {
    if (final == 'J' && parameters_ == "2") {
        out.push_back({DisplayCommand::Kind::Clear});
    } else if (final == 'H' || final == 'f') {
        std::vector<int> numbers = Numbers(parameters_);
        if (numbers.size() <= 2) {
            out.push_back({DisplayCommand::Kind::MoveCursor, numbers[0], numbers.size() == 2 ? numbers[1] : 1});
        }
    }
}

void DisplayDecoder::FlushText(std::vector<DisplayCommand>& out) {
    if (text_.empty())
        return;
    out.push_back({DisplayCommand::Kind::Write, 0, 0, std::move(text_)});
    text_.clear();
}

void DisplayDecoder::Reset() {
    state_ = State::Text;
    parameters_.clear();
    overlong_ = false;
    text_.clear();
}
