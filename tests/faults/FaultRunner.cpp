#include "FaultRunner.h"

#include "WaitUntil.h"

#include <algorithm>
#include <csignal>
#include <set>
#include <thread>

namespace {

using namespace std::chrono_literals;

// How long a command may take, from its keys to its reply on the display
// and the prompt after it: well past the longest fault plus the time the
// service may spend finding out a lost commit's outcome.
constexpr std::chrono::seconds kCommandLimit{90};
constexpr std::chrono::seconds kStopLimit{60};
constexpr std::chrono::seconds kCatchUpLimit{10};
constexpr std::chrono::seconds kLostKeysLimit{20};

// The first display line of a text: its first 20 characters (UTF-8 code
// points), trailing blanks removed, as the simulator prints it.
std::string FirstDisplayLine(const std::string& text) {
    size_t end = 0;
    for (int characters = 0; end < text.size() && characters < 20; ++characters)
        do
            ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
    std::string line = text.substr(0, end);
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

bool IsBarcodeCommand(const std::string& command) {
    return !command.empty() && std::all_of(command.begin(), command.end(), [](char c) { return c >= '0' && c <= '9'; });
}

enum class Outcome { Stored, NotStored, Unknown };

Outcome OutcomeOf(const std::string& reply) {
    const std::string code = ReplyCode(reply);
    if (code == "000")
        return Outcome::Stored;
    if (code == "900" || (code >= "100" && code < "700"))
        return Outcome::NotStored;
    return Outcome::Unknown;
}

// What the service's lines say became of a command whose outcome its
// terminal was told is unknown: stored, not stored, or nothing yet.
std::optional<bool> ResolvedAsStored(const std::string& lines, const std::string& command) {
    const std::string settled = "comando " + command + " de resultado desconhecido: ";
    if (lines.find(settled + "foi gravado") != std::string::npos)
        return true;
    if (lines.find(settled + "n\xC3\xA3o foi gravado") != std::string::npos)
        return false;
    return std::nullopt;
}

// Whether the service's last lines name the command as one it ended
// without knowing whether it was stored.
bool NamedAtTheEnd(const std::string& lines, const std::string& command) {
    return lines.find("sem saber se o comando " + command + " foi gravado") != std::string::npos;
}

std::vector<std::string> CompleteLines(const std::string& text, size_t& read) {
    std::vector<std::string> lines;
    for (size_t end = text.find('\n', read); end != std::string::npos; end = text.find('\n', read)) {
        lines.push_back(text.substr(read, end - read));
        read = end + 1;
    }
    return lines;
}

}  // namespace

std::string ReplyCode(const std::string& reply) {
    if (reply.size() >= 4 && reply[3] == '-' && std::all_of(reply.begin(), reply.begin() + 3, ::isdigit))
        return reply.substr(0, 3);
    return "?";
}

FaultRunner::FaultRunner(FaultRig& rig)
    : rig_(rig), tracks_(rig.Terminals()), exchanges_(rig.Terminals()), displays_(rig.Terminals()),
      displaysRead_(rig.Terminals()) {}

void FaultRunner::Refresh() {
    ReadExchanges(rig_.ProgramOutput());
    for (int t = 0; t < rig_.Terminals(); ++t)
        ReadDisplays(t, rig_.DisplayOutput(t));
    const auto now = Clock::now();
    for (auto& revert : reverts_)
        if (revert.second && revert.first <= now) {
            revert.second();
            revert.second = nullptr;
        }
    std::erase_if(reverts_, [](const auto& revert) { return !revert.second; });
}

void FaultRunner::ReadExchanges(const std::string& output) {
    for (const std::string& line : CompleteLines(output, programRead_)) {
        if (!line.starts_with("terminal "))
            continue;
        const size_t colon = line.find(": Comando: ");
        const size_t reply = line.find(" / Retorno:");
        if (colon == std::string::npos || reply == std::string::npos)
            continue;
        const int terminal = std::stoi(line.substr(9, colon - 9));
        if (terminal >= 0 && terminal < rig_.Terminals())
            exchanges_[terminal].push_back({line.substr(colon + 11, reply - colon - 11), line.substr(reply + 11)});
    }
}

void FaultRunner::ReadDisplays(int terminal, const std::string& output) {
    for (std::string& line : CompleteLines(output, displaysRead_[terminal]))
        if (line.starts_with("DISPLAY "))
            displays_[terminal].push_back(std::move(line));
}

bool FaultRunner::Idle(int terminal) {
    // A service that has ended shows no prompt after its last reply.
    const bool promptAfter = !serviceEnded_;
    Track& track = tracks_[terminal];
    const auto& exchanges = exchanges_[terminal];
    const auto& displays = displays_[terminal];
    if (exchanges.size() < track.awaited)
        return false;
    while (track.shown < exchanges.size()) {
        const std::string reply = FirstDisplayLine(exchanges[track.shown].reply);
        const auto found = std::find_if(displays.begin() + static_cast<long>(track.displayCursor), displays.end(),
                                        [&](const std::string& line) { return line.starts_with("DISPLAY " + reply + "|"); });
        if (found == displays.end())
            return false;
        track.displayCursor = static_cast<size_t>(found - displays.begin()) + 1;
        ++track.shown;
    }
    return !promptAfter ||
           std::any_of(displays.begin() + static_cast<long>(track.displayCursor), displays.end(),
                       [](const std::string& line) { return line.starts_with("DISPLAY Comanda"); });
}

bool FaultRunner::WaitFor(const std::function<bool()>& done, std::chrono::seconds limit) {
    return WaitUntil(
        [&] {
            Refresh();
            return done() || ServiceDied();
        },
        limit) &&
           done();
}

bool FaultRunner::ServiceDied() {
    if (serviceEnded_)
        return false;
    const std::optional<int> status = rig_.Program().Wait(std::chrono::milliseconds(0));
    if (!status)
        return false;
    serviceEnded_ = true;
    Violation("the service ended by itself (status " + std::to_string(*status) + ")");
    return true;
}

void FaultRunner::WaitIdle(int terminal) {
    Track& track = tracks_[terminal];
    // Keys lost on a terminal link that had a fault after they were typed
    // make no command: the wait for their reply is cut short.
    const auto keysLost = [&] {
        return track.linkFaultAt > track.typedAt && exchanges_[terminal].size() < track.awaited &&
               Clock::now() > track.linkFaultAt + kLostKeysLimit;
    };
    // Once the service has ended the outputs only catch up with what it wrote.
    WaitFor([&] { return Idle(terminal) || keysLost(); }, serviceEnded_ ? kCatchUpLimit : kCommandLimit);
    if (Idle(terminal))
        return;
    const auto& exchanges = exchanges_[terminal];
    const std::string where = "terminal " + std::to_string(terminal) + " after \"" + track.lastKeys + "\": ";
    if (exchanges.size() < track.awaited) {
        // Keys lost on a terminal link that was reset or stalled meanwhile
        // never made a command; without such a fault the service is stuck.
        ++unanswered_["none"];
        if (track.linkFaultAt < track.typedAt)
            Violation(where + "no reply");
    } else if (track.shown < exchanges.size()) {
        Violation(where + "reply \"" + exchanges[track.shown].reply + "\" never shown on the display");
    } else {
        Violation(where + "the prompt never came back (display: " +
                  (displays_[terminal].empty() ? "" : displays_[terminal].back()) + ")");
    }
    // Start afresh from what the display shows now: its last line is the
    // prompt (with the keys that did arrive) when the terminal waits for keys.
    track.awaited = track.shown = exchanges.size();
    track.displayCursor = displays_[terminal].empty() ? 0 : displays_[terminal].size() - 1;
}

void FaultRunner::WaitAllIdle() {
    for (int t = 0; t < rig_.Terminals(); ++t)
        WaitIdle(t);
}

void FaultRunner::Type(int terminal, const std::string& keys) {
    WaitIdle(terminal);
    Track& track = tracks_[terminal];
    track.awaited = exchanges_[terminal].size() + 1;
    track.typedAt = Clock::now();
    track.lastKeys = keys;
    packetsAtLastKeys_ = rig_.Link(-1).ClientPackets();
    rig_.Type(terminal, keys);
}

void FaultRunner::Run(const FaultStep& step) {
    schedule_.push_back(Describe(step));
    Refresh();
    switch (step.kind) {
    case FaultStep::Kind::Keys: Type(step.terminal, step.keys); return;
    case FaultStep::Kind::CommitHit:
    case FaultStep::Kind::MidCommand: HitCommand(step); return;
    case FaultStep::Kind::Signal: StopService(step); return;
    case FaultStep::Kind::Settle: WaitAllIdle(); return;
    default: Fault(step); return;
    }
}

void FaultRunner::Fault(const FaultStep& step) {
    FaultProxy& link = rig_.Link(step.link);
    if (step.link >= 0)
        tracks_[step.link].linkFaultAt = Clock::now() + std::chrono::milliseconds(step.ms + step.span);
    ++faults_[FaultName(step)];
    switch (step.kind) {
    case FaultStep::Kind::Latency:
        link.SetLatency(std::chrono::milliseconds(step.ms));
        reverts_.push_back({Clock::now() + std::chrono::milliseconds(step.span), [&link] { link.SetLatency(0ms); }});
        return;
    case FaultStep::Kind::Stall: link.Stall(std::chrono::milliseconds(step.ms)); return;
    case FaultStep::Kind::ResetAll: link.ResetAll(); return;
    case FaultStep::Kind::ResetAtPacket: link.ResetAtClientPacket(step.fate); return;
    case FaultStep::Kind::Refuse: link.Refuse(std::chrono::milliseconds(step.ms)); return;
    default: return;
    }
}

// Clean adds on an otherwise idle database link count the client packets
// of an add: the first add on a connection also prepares its statements, so
// the count is taken from an add that took no more packets than the one
// before it on that terminal. The next add then meets the fate at its last
// packet (its commit) or, for a hit in mid-command, at a packet part-way
// through.
void FaultRunner::HitCommand(const FaultStep& step) {
    std::vector<std::string> adds;
    for (size_t from = 0, bar; from <= step.keys.size(); from = bar + 1) {
        bar = std::min(step.keys.find('|', from), step.keys.size());
        adds.push_back(step.keys.substr(from, bar - from));
    }
    FaultProxy& database = rig_.Link(-1);
    long& warm = warmAddPackets_[step.terminal];
    bool measured = false;
    for (size_t i = 0; i + 1 < adds.size() && !measured; ++i) {
        WaitAllIdle();
        const long before = database.ClientPackets();
        Type(step.terminal, adds[i]);
        WaitIdle(step.terminal);
        const long packets = database.ClientPackets() - before;
        const auto& exchanges = exchanges_[step.terminal];
        const bool clean = !exchanges.empty() && ReplyCode(exchanges.back().reply) == "000";
        measured = clean && warm > 0 && packets <= warm;
        warm = clean ? packets : 0;
    }
    if (!measured || warm < 2) {
        ++faults_[FaultName(step) + "-unmeasured"];
        return;
    }
    const long nth = step.kind == FaultStep::Kind::CommitHit ? warm : std::max(1L, warm * step.ms / 100);
    database.ResetAtClientPacket(step.fate, static_cast<int>(nth), std::chrono::milliseconds(step.span));
    Type(step.terminal, adds.back());
    WaitIdle(step.terminal);
    if (database.ResetWaiting()) {
        database.CancelReset();
        ++faults_[FaultName(step) + "-missed"];
    } else {
        ++faults_[FaultName(step)];
    }
    // The connection made again prepares its statements anew.
    warm = 0;
}

void FaultRunner::StopService(const FaultStep& step) {
    FaultProxy& database = rig_.Link(-1);
    if (!WaitFor([&] { return database.ClientPackets() > packetsAtLastKeys_; }, kCommandLimit))
        Violation("the command before SIGTERM never reached the database link");
    // The pause is the schedule's: the signal comes this long into the command.
    std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
    ++faults_[FaultName(step)];
    stoppedDuringFault_ = true;
    EndService();
}

void FaultRunner::EndService() {
    FaultProxy& database = rig_.Link(-1);
    const auto signalled = Clock::now();
    rig_.Program().Signal(SIGTERM);
    const std::optional<int> status = rig_.Program().Wait(kStopLimit);
    stopSeconds_ = std::chrono::duration<double>(Clock::now() - signalled).count();
    stoppedWhileStalled_ = database.Stalling();
    serviceEnded_ = true;
    if (status != 0)
        Violation("the service did not end cleanly after SIGTERM (status " +
                  (status ? std::to_string(*status) : std::string("none")) + ")");
    // What it wrote before its end reaches the display.
    for (int t = 0; t < rig_.Terminals(); ++t)
        WaitIdle(t);
}

void FaultRunner::FreshCommand(int terminal) {
    const size_t before = exchanges_[terminal].size();
    // An Enter first completes whatever a lost key left on the command line.
    Type(terminal, "<13>V<13>");
    const auto answered = [&] {
        const auto& exchanges = exchanges_[terminal];
        return std::any_of(exchanges.begin() + static_cast<long>(before), exchanges.end(),
                           [](const Exchange& e) { return e.command == "V"; });
    };
    tracks_[terminal].awaited = before + 1;
    if (!WaitFor([&] { return answered() && Idle(terminal); }, kCommandLimit)) {
        Violation("terminal " + std::to_string(terminal) + " does not answer a fresh V");
        return;
    }
    const auto& last = exchanges_[terminal].back();
    if (ReplyCode(last.reply) != "000")
        Violation("terminal " + std::to_string(terminal) + ": a fresh V got \"" + last.reply + "\"");
}

void FaultRunner::Finish() {
    for (FaultProxy* link : rig_.AllLinks()) {
        link->CancelReset();
        link->SetLatency(0ms);
        link->EndStall();
        link->Admit();
    }
    reverts_.clear();
    WaitAllIdle();
    if (!serviceEnded_) {
        for (int t = 0; t < rig_.Terminals(); ++t)
            FreshCommand(t);
        EndService();
    }
    CheckStore();
}

void FaultRunner::CheckStore() {
    const StoreTestDatabase& store = rig_.Store();
    const std::string lines = rig_.ProgramErrors() + rig_.ProgramOutput();
    // How often the store should hold each product: once per add replied
    // "000" or resolved as stored, never for any other.
    std::map<std::string, std::set<int>> expected;
    std::map<std::string, std::string> replies;
    for (int t = 0; t < rig_.Terminals(); ++t)
        for (const Exchange& exchange : exchanges_[t]) {
            if (!IsBarcodeCommand(exchange.command))
                continue;
            const std::string where =
                "terminal " + std::to_string(t) + ": \"" + exchange.command + "\" replied \"" + exchange.reply + "\"";
            replies[exchange.command] = where;
            switch (OutcomeOf(exchange.reply)) {
            case Outcome::Stored: expected[exchange.command] = {1}; break;
            case Outcome::NotStored: expected[exchange.command] = {0}; break;
            case Outcome::Unknown:
                if (const auto stored = ResolvedAsStored(lines, exchange.command)) {
                    expected[exchange.command] = {*stored ? 1 : 0};
                    break;
                }
                // Only a service stopped while its link was still broken may
                // end without knowing, and then it names the command.
                if (!stoppedDuringFault_ || !NamedAtTheEnd(lines, exchange.command))
                    Violation(where + ", never resolved in the service's lines");
                expected[exchange.command] = {0, 1};
                break;
            }
        }
    const RowSet stored = store.Rows(
        "SELECT P.PRO_CODBARRAS, COUNT(I.CIN_CODIGO) FROM PRODUTOS P "
        "LEFT JOIN COMANDASITENS I ON I.PRO_CODIGO = P.PRO_CODIGO WHERE P.PRO_CODIGO > 1000 GROUP BY 1");
    for (const auto& row : stored.rows) {
        const std::string code = row.at(0).AsText().Bytes();
        const int count = static_cast<int>(row.at(1).AsInteger());
        const auto found = expected.find(code);
        const std::set<int> allowed = found == expected.end() ? std::set<int>{0} : found->second;
        if (!allowed.contains(count))
            Violation("product " + code + " stored " + std::to_string(count) + " times; " +
                      (found == expected.end() ? "no command ran it" : replies[code]));
    }
    const RowSet tabs = store.Rows(
        "SELECT C.COM_NUMERO || ': ' || COALESCE(C.COM_QTDE, 0) || ' / ' || COALESCE(C.COM_TOTAL, 0) || "
        "' for items ' || COALESCE(S.Q, 0) || ' / ' || COALESCE(S.T, 0) FROM COMANDAS C LEFT JOIN "
        "(SELECT COM_CODIGO, SUM(CIN_QTDE) Q, SUM(CIN_QTDE*(CIN_VALOR-CIN_DESCONTO+CIN_ACRESCIMO)) T "
        "FROM COMANDASITENS GROUP BY COM_CODIGO) S ON S.COM_CODIGO = C.COM_CODIGO "
        "WHERE COALESCE(C.COM_QTDE, 0) <> COALESCE(S.Q, 0) OR COALESCE(C.COM_TOTAL, 0) <> COALESCE(S.T, 0)");
    for (const auto& row : tabs.rows)
        Violation("tab totals differ from its items: " + row.at(0).AsText().Bytes());
    const RowSet twice = store.Rows("SELECT COM_NUMERO FROM COMANDAS GROUP BY 1 HAVING COUNT(*) > 1");
    for (const auto& row : twice.rows)
        Violation("two tabs numbered " + std::to_string(row.at(0).AsInteger()));
}

std::string FaultRunner::Tally() const {
    std::map<std::string, int> replies = unanswered_;
    int commands = 0;
    for (const auto& exchanges : exchanges_)
        for (const Exchange& exchange : exchanges) {
            ++replies[ReplyCode(exchange.reply)];
            ++commands;
        }
    const auto list = [](const std::map<std::string, int>& counts) {
        std::string text;
        for (const auto& [name, count] : counts)
            text += (text.empty() ? "" : " ") + name + "=" + std::to_string(count);
        return text;
    };
    int faults = 0;
    for (const auto& [name, count] : faults_)
        faults += count;
    std::string text = std::to_string(commands) + " commands (" + list(replies) + "), " + std::to_string(faults) +
                       " faults (" + list(faults_) + ")";
    if (stopSeconds_) {
        char stop[32];
        std::snprintf(stop, sizeof stop, ", stop %.1f s", *stopSeconds_);
        text += stop;
    }
    return text + ", violations " + std::to_string(violations_.size());
}
