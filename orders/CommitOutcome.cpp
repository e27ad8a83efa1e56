// After a commit whose answer was lost: learning what came of it while the
// command waits, keeping the commands whose outcome stayed unknown and
// settling them once the store can be asked; and the stop that ends a
// command's waits.
#include "DataModulo.h"

#include "DatabaseError.h"
#include "Windows1252.h"
#include "WorkUnit.h"

#include <algorithm>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// How often a pause looks whether Interrupt came.
constexpr std::chrono::milliseconds kInterruptLook{50};

}  // namespace

std::optional<bool> TDM::StoredDespiteLostCommit(const std::vector<InsertedRow>& written) {
    const auto deadline = Clock::now() + OutcomeBound;
    for (;;) {
        if (interrupted_)
            return std::nullopt;
        try {
            Reconnect();
            return !written.empty() && RowIsStored(BaseDados, written.front(), kOutcomeLockWaitSeconds);
        } catch (const DatabaseError&) {
            // Not reachable yet, or a writer still holds the row: again after a pause.
            connectionLost_ = true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left <= std::chrono::milliseconds::zero() || !PauseUnlessInterrupted(std::min(OutcomePause, left)))
            return std::nullopt;
    }
}

bool TDM::PauseUnlessInterrupted(std::chrono::milliseconds pause) const {
    const auto end = Clock::now() + pause;
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        if (interrupted_)
            return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(kInterruptLook, end - now));
    }
    return !interrupted_;
}

void TDM::Interrupt() {
    interrupted_ = true;
    BaseDados.Abort();
}

std::vector<std::string> TDM::UnknownOutcomes() const {
    std::vector<std::string> commands;
    for (const UnknownOutcome& pending : unknownOutcomes_)
        commands.push_back(Windows1252ToUtf8(Windows1252Text(pending.command)));
    return commands;
}

std::vector<std::string> TDM::ResolveUnknownOutcomes() {
    std::vector<std::string> lines;
    if (unknownOutcomes_.empty() || interrupted_)
        return lines;
    RegisterSharedPair();
    try {
        if (connectionLost_)
            Reconnect();
        while (!unknownOutcomes_.empty()) {
            const UnknownOutcome& pending = unknownOutcomes_.front();
            const std::string command = Windows1252ToUtf8(Windows1252Text(pending.command));
            if (!pending.row)
                lines.push_back("comando " + command +
                                " de resultado desconhecido: não gravou linha que se possa conferir; confira com V");
            else if (RowIsStored(BaseDados, *pending.row, kOutcomeLockWaitSeconds))
                lines.push_back("comando " + command + " de resultado desconhecido: foi gravado");
            else
                lines.push_back("comando " + command + " de resultado desconhecido: não foi gravado");
            unknownOutcomes_.erase(unknownOutcomes_.begin());
        }
    } catch (const DatabaseError& error) {
        // Not reachable yet: the rest waits for the next try.
        if (error.IsConnectionLost())
            connectionLost_ = true;
    } catch (const std::exception&) {
        connectionLost_ = true;
    }
    return lines;
}
