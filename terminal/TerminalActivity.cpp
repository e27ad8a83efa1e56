#include "TerminalActivity.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kCommandStart = "Comando: ";
constexpr std::string_view kReplyStart = " / Retorno:";
constexpr std::string_view kTabPrompt = "Comanda ";

thread_local TerminalActivityRecord* recordOfThisThread = nullptr;

// The leading three digits of a reply ("000-A COMANDA 12 FOI CRIADA!").
std::string ReplyCode(std::string_view reply) {
    const std::string_view code = reply.substr(0, 3);
    const bool digits =
        code.size() == 3 && std::all_of(code.begin(), code.end(), [](unsigned char c) { return std::isdigit(c); });
    return digits ? std::string(code) : std::string();
}

// "12" of the prompt "Comanda 12:"; empty for "Comanda:" (no tab yet).
std::string OpenTabOf(std::string_view prompt) {
    if (!prompt.starts_with(kTabPrompt))
        return {};
    prompt.remove_prefix(kTabPrompt.size());
    return std::string(prompt.substr(0, prompt.find(':')));
}

}  // namespace

void TerminalActivityRecord::NoteCommand(const std::string& statusText, const std::string& prompt) {
    const std::string_view text(statusText);
    const size_t replyAt = text.find(kReplyStart);
    if (!text.starts_with(kCommandStart) || replyAt == std::string_view::npos)
        return;
    const std::lock_guard lock(mutex_);
    activity_.command = text.substr(kCommandStart.size(), replyAt - kCommandStart.size());
    activity_.replyCode = ReplyCode(text.substr(replyAt + kReplyStart.size()));
    activity_.commandAt = TerminalActivity::Clock::now();
    activity_.openTab = OpenTabOf(prompt);
}

void TerminalActivityRecord::NoteError(const std::string& text) {
    const std::lock_guard lock(mutex_);
    activity_.error = text;
    activity_.errorAt = TerminalActivity::Clock::now();
}

TerminalActivity TerminalActivityRecord::Read() const {
    const std::lock_guard lock(mutex_);
    return activity_;
}

TerminalActivityRecord::OnThisThread::OnThisThread(TerminalActivityRecord& record) { recordOfThisThread = &record; }

TerminalActivityRecord::OnThisThread::~OnThisThread() { recordOfThisThread = nullptr; }

TerminalActivityRecord* TerminalActivityRecord::OfThisThread() { return recordOfThisThread; }
