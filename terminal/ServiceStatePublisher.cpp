#include "ServiceStatePublisher.h"

#include "HeadlessOutput.h"

#include <stdexcept>

std::string ServiceStatePublisher::Text(const std::vector<TerminalState>& terminals) {
    const auto now = TerminalActivity::Clock::now();
    std::map<std::string, Since> seen;
    std::string text;
    for (const auto& terminal : terminals) {
        const auto known = since_.find(terminal.entry);
        const Since since = known != since_.end() && known->second.condition == terminal.condition
                                ? known->second
                                : Since{terminal.condition, now};
        seen[terminal.entry] = since;
        text += TerminalStateText(terminal, since.since) + "\n";
    }
    since_ = std::move(seen);
    return text;
}

void ServiceStatePublisher::Publish(const std::vector<TerminalState>& terminals) {
    const std::string text = Text(terminals);
    if (written_ && text == published_)
        return;
    try {
        if (!file_.Claim()) {
            if (!toldTaken_)
                output_.Note(
                    "estado do servi\xC3\xA7o n\xC3\xA3o publicado: outro servi\xC3\xA7o em execu\xC3\xA7\xC3\xA3o "
                    "publica o seu em " +
                    file_.Path());
            toldTaken_ = true;
            return;
        }
        file_.Replace(text);
        published_ = text;
        written_ = true;
        lastProblem_.clear();
    } catch (const std::runtime_error& e) {
        if (e.what() != lastProblem_)
            output_.Problem(std::string("estado do servi\xC3\xA7o n\xC3\xA3o publicado: ") + e.what(),
                            HeadlessOutput::Priority::Warning);
        lastProblem_ = e.what();
    }
}
