#pragma once
// Keeps the service's state file up to date from the main loop: one line
// per terminal of its list (ServiceStateText.h), written whole and only
// when a line changed, so the terminals' 50 ms loops never wait for it.
// Since when a terminal is in its state is the first time the main loop saw
// it so (it looks at least once a second).
#include "ServiceStateFile.h"
#include "ServiceStateText.h"

#include <map>
#include <string>
#include <vector>

class HeadlessOutput;

class ServiceStatePublisher {
public:
    // path: where the state is published (ServiceStatePathOf).
    ServiceStatePublisher(const std::string& path, HeadlessOutput& output) : file_(path), output_(output) {}

    // A file that cannot be written gets one warning line (again only when
    // the reason changes) and is tried again at the next call; a folder
    // another running service publishes in gets one line on standard
    // output, and this service publishes nothing while that one runs.
    void Publish(const std::vector<TerminalState>& terminals);

private:
    struct Since {
        std::string condition;
        TerminalActivity::Clock::time_point since;
    };

    std::string Text(const std::vector<TerminalState>& terminals);

    ServiceStateFile file_;
    HeadlessOutput& output_;
    std::map<std::string, Since> since_;  // by list entry
    std::string published_;
    bool written_ = false;
    bool toldTaken_ = false;
    std::string lastProblem_;
};
