#include "ServiceStateText.h"

#include "TerminalList.h"

#include <ctime>

namespace {

constexpr const char* kSeparator = " \xC2\xB7 ";  // " · "

// "11/12 14:03:05", local time: the day matters for a service that runs
// for weeks.
std::string LocalTime(TerminalActivity::Clock::time_point time) {
    const std::time_t seconds = TerminalActivity::Clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m %H:%M:%S", &local);
    return text;
}

}  // namespace

std::string TerminalStateText(const TerminalState& state, TerminalActivity::Clock::time_point since) {
    const TerminalActivity& activity = state.activity;
    std::string text = "terminal " + std::to_string(state.position) + " " + TerminalAddress(state.entry) + ": " +
                       state.condition + " desde " + LocalTime(since);
    if (!activity.openTab.empty())
        text += kSeparator + std::string("comanda ") + activity.openTab;
    if (activity.commandAt) {
        text += kSeparator + std::string("\xC3\xBAltimo comando ") + activity.command;
        if (!activity.replyCode.empty())
            text += ", resposta " + activity.replyCode;
        text += ", " + LocalTime(*activity.commandAt);
    }
    if (activity.errorAt)
        text += kSeparator + std::string("\xC3\xBAltimo erro ") + LocalTime(*activity.errorAt) + " " + activity.error;
    return text;
}
