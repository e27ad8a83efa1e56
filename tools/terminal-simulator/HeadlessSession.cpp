#include "HeadlessSession.h"

#include "KeyScript.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Longest single wait for the network, so script steps start on time.
constexpr milliseconds kServeSlice{20};

class ScriptReader {
public:
    ScriptReader(int input, std::ostream& errors) : input_(input), errors_(errors) {}

    bool Ended() const { return ended_; }
    // Reads what is there and queues the steps of every complete line (and
    // of the last line at the end of the input).
    void Read(std::deque<ScriptStep>& steps) {
        char buffer[4096];
        ssize_t got = read(input_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            return;
        if (got <= 0) {
            ended_ = true;
            Queue(pending_, steps);
            pending_.clear();
            return;
        }
        pending_.append(buffer, static_cast<size_t>(got));
        size_t newline;
        while ((newline = pending_.find('\n')) != std::string::npos) {
            Queue(pending_.substr(0, newline), steps);
            pending_.erase(0, newline + 1);
        }
    }

private:
    void Queue(const std::string& line, std::deque<ScriptStep>& steps) {
        std::vector<std::string> rejected;
        for (const ScriptStep& step : ParseScriptLine(line, rejected))
            steps.push_back(step);
        for (const std::string& token : rejected)
            errors_ << "terminal-simulator: ignored \"" << token << "\"" << std::endl;
    }

    int input_;
    std::ostream& errors_;
    std::string pending_;
    bool ended_ = false;
};

}  // namespace

int RunHeadless(SimulatedTerminal& terminal, TerminalServer& server, int input, std::ostream& output,
                std::ostream& errors, milliseconds linger) {
    Clock::time_point quietSince = Clock::now();
    terminal.onDisplayChange = [&](const TerminalDisplay& display) {
        output << DisplaySnapshot(display) << std::endl;
        quietSince = Clock::now();
    };

    ScriptReader reader(input, errors);
    std::deque<ScriptStep> steps;
    Clock::time_point resumeAt = Clock::now();  // end of the current "<wait>"
    bool scriptDone = false;
    for (;;) {
        const auto now = Clock::now();
        while (now >= resumeAt && !steps.empty()) {
            ScriptStep step = steps.front();
            steps.pop_front();
            if (step.kind == ScriptStep::Kind::Press)
                terminal.PressKey(static_cast<uint16_t>(step.value));
            else
                resumeAt = now + milliseconds(step.value);
        }
        if (!scriptDone && reader.Ended() && steps.empty() && now >= resumeAt) {
            scriptDone = true;
            quietSince = std::max(quietSince, now);
        }
        if (scriptDone && now - quietSince >= linger)
            return 0;

        const milliseconds slice =
            now < resumeAt ? std::min(kServeSlice, std::chrono::ceil<milliseconds>(resumeAt - now)) : kServeSlice;
        if (server.Serve(slice, reader.Ended() ? -1 : input))
            reader.Read(steps);
    }
}
