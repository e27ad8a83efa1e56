#include "HeadlessOutput.h"

#include <ostream>

void HeadlessOutput::Status(int terminal, const std::string& text) {
    const std::lock_guard lock(mutex_);
    status_ << "terminal " << terminal << ": " << text << std::endl;
}

void HeadlessOutput::Message(const std::string& title, const std::string& text) {
    const std::lock_guard lock(mutex_);
    messages_ << title << ": " << text << std::endl;
}
