#include "HeadlessOutput.h"

#include <algorithm>
#include <ostream>
#include <systemd/sd-daemon.h>

std::string AsOneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

void HeadlessOutput::Status(int terminal, const std::string& text) {
    const std::lock_guard lock(mutex_);
    status_ << "terminal " << terminal << ": " << AsOneLine(text) << std::endl;
}

void HeadlessOutput::Note(const std::string& text) {
    const std::lock_guard lock(mutex_);
    status_ << AsOneLine(text) << std::endl;
}

void HeadlessOutput::Message(const std::string& title, const std::string& text, Priority priority) {
    Problem(AsOneLine(title) + ": " + text, priority);
}

void HeadlessOutput::Problem(const std::string& text, Priority priority) {
    const std::lock_guard lock(mutex_);
    if (priority == Priority::Error)
        lastError_ = Clock::now();
    messages_ << PriorityPrefix(priority) << AsOneLine(text) << std::endl;
}

std::optional<HeadlessOutput::Clock::time_point> HeadlessOutput::LastError() const {
    const std::lock_guard lock(mutex_);
    return lastError_;
}

std::string HeadlessOutput::PriorityPrefix(Priority priority) const {
    if (!journalPriorities_)
        return {};
    switch (priority) {
    case Priority::Error: return SD_ERR;
    case Priority::Warning: return SD_WARNING;
    case Priority::Info: return SD_INFO;
    }
    return {};
}
