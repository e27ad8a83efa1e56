#include "HeadlessOutput.h"

#include <algorithm>
#include <ostream>

namespace {

// A text as one line: the engine's messages come in several.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace

void HeadlessOutput::Status(int terminal, const std::string& text) {
    const std::lock_guard lock(mutex_);
    status_ << "terminal " << terminal << ": " << OneLine(text) << std::endl;
}

void HeadlessOutput::Message(const std::string& title, const std::string& text) {
    const std::lock_guard lock(mutex_);
    messages_ << OneLine(title) << ": " << OneLine(text) << std::endl;
}
