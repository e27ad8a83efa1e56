#include "FaultSchedule.h"

// The faults of a link, each with its share and the ranges of its lengths.
struct LinkFaultShare {
    FaultStep::Kind kind;
    int share;  // of 100
    int msFrom, msTo;
    int spanFrom, spanTo;
};
namespace {

const LinkFaultShare kDatabaseLinkFaults[] = {
    {FaultStep::Kind::ResetAll, 26, 0, 0, 0, 0},
    {FaultStep::Kind::Stall, 29, 500, 6000, 0, 0},
    {FaultStep::Kind::Latency, 23, 1, 40, 1000, 15000},
    {FaultStep::Kind::Refuse, 22, 1000, 5000, 0, 0},
};
const LinkFaultShare kTerminalLinkFaults[] = {
    {FaultStep::Kind::ResetAll, 40, 0, 0, 0, 0},
    {FaultStep::Kind::Stall, 25, 300, 3000, 0, 0},
    {FaultStep::Kind::Latency, 20, 1, 30, 1000, 10000},
    {FaultStep::Kind::Refuse, 15, 500, 3000, 0, 0},
};

const char* FateName(FaultProxy::PacketFate fate) {
    switch (fate) {
    case FaultProxy::PacketFate::Dropped: return "dropped";
    case FaultProxy::PacketFate::AnswerLost: return "answer-lost";
    case FaultProxy::PacketFate::ServerClosedBehind: return "server-closed";
    }
    return "?";
}

std::string LinkName(int link) { return link < 0 ? "db" : "t" + std::to_string(link) + "-link"; }

}  // namespace

std::string Describe(const FaultStep& step) {
    const std::string on = LinkName(step.link);
    const std::string t = "t" + std::to_string(step.terminal);
    switch (step.kind) {
    case FaultStep::Kind::Keys: return t + " keys " + step.keys;
    case FaultStep::Kind::Latency:
        return on + " latency " + std::to_string(step.ms) + "ms for " + std::to_string(step.span) + "ms";
    case FaultStep::Kind::Stall: return on + " stall " + std::to_string(step.ms) + "ms";
    case FaultStep::Kind::ResetAll: return on + " reset";
    case FaultStep::Kind::ResetAtPacket: return "db next packet " + std::string(FateName(step.fate));
    case FaultStep::Kind::CommitHit:
        return t + " commit " + FateName(step.fate) +
               (step.span ? ", then refused " + std::to_string(step.span) + "ms," : "") + " keys " + step.keys;
    case FaultStep::Kind::MidCommand:
        return t + " mid-command at " + std::to_string(step.ms) + "% " + FateName(step.fate) + " keys " + step.keys;
    case FaultStep::Kind::Refuse: return on + " refuse " + std::to_string(step.ms) + "ms";
    case FaultStep::Kind::Signal: return "SIGTERM " + std::to_string(step.ms) + "ms after the last command went out";
    case FaultStep::Kind::Settle: return "settle";
    }
    return "?";
}

std::string FaultName(const FaultStep& step) {
    const std::string where = step.link < 0 ? "db-" : "terminal-";
    switch (step.kind) {
    case FaultStep::Kind::Keys: return "";
    case FaultStep::Kind::Latency: return where + "latency";
    case FaultStep::Kind::Stall: return where + "stall";
    case FaultStep::Kind::ResetAll: return where + "reset";
    case FaultStep::Kind::ResetAtPacket: return std::string("db-next-packet-") + FateName(step.fate);
    case FaultStep::Kind::CommitHit: return std::string("commit-") + FateName(step.fate);
    case FaultStep::Kind::MidCommand: return "mid-command";
    case FaultStep::Kind::Refuse: return where + "refuse";
    case FaultStep::Kind::Signal: return "sigterm";
    case FaultStep::Kind::Settle: return "";
    }
    return "?";
}

std::string ProductBarcode(int n) {
    std::string code = "9" + std::string(6 - std::to_string(n).size(), '0') + std::to_string(n);
    int sum = 0;
    for (const char digit : code)
        sum += digit - '0';
    return code + std::to_string(sum % 10);
}

int TabOf(int terminal, int which) { return 100 * (terminal + 1) + which; }

FaultScheduleMaker::FaultScheduleMaker(std::uint64_t seed, int terminals) : random_(seed), terminals_(terminals) {}

int FaultScheduleMaker::Draw(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random_); }

void FaultScheduleMaker::LinkFault(std::span<const LinkFaultShare> faults, FaultStep& step) {
    int which = Draw(1, 100);
    for (const LinkFaultShare& fault : faults) {
        step.kind = fault.kind;
        step.ms = Draw(fault.msFrom, fault.msTo);
        step.span = Draw(fault.spanFrom, fault.spanTo);
        if ((which -= fault.share) <= 0)
            return;
    }
}

std::string FaultScheduleMaker::NextAdd() { return ProductBarcode(++products_) + "<13>"; }

FaultStep FaultScheduleMaker::Next() {
    if (opened_ < terminals_) {
        FaultStep step;
        step.terminal = opened_;
        step.keys = "C" + std::to_string(TabOf(opened_++, 1)) + "<13>";
        return step;
    }
    return Draw(1, 100) <= 70 ? Command() : Fault();
}

FaultStep FaultScheduleMaker::Command() {
    // The terminals take turns, so each has its reply shown while the others type.
    FaultStep step;
    step.terminal = nextTerminal_;
    nextTerminal_ = (nextTerminal_ + 1) % terminals_;
    const int which = Draw(1, 100);
    if (which <= 58)
        step.keys = NextAdd();
    else if (which <= 68)
        step.keys = "Q" + std::to_string(Draw(1, 5)) + "<13>";
    else if (which <= 80)
        step.keys = "V<13>";
    else if (which <= 88)
        step.keys = "T" + std::to_string(Draw(1, 2)) + "<13>";
    else
        step.keys = "C" + std::to_string(TabOf(step.terminal, Draw(1, 3))) + "<13>";
    return step;
}

FaultStep FaultScheduleMaker::Fault() {
    FaultStep step;
    step.terminal = Draw(0, terminals_ - 1);
    const auto fate = [this] { return static_cast<FaultProxy::PacketFate>(Draw(0, 2)); };
    const int which = Draw(1, 100);
    if (which <= 36) {
        step.kind = FaultStep::Kind::CommitHit;
        step.fate = fate();
        step.span = Draw(1, 100) <= 25 ? Draw(1000, 6000) : 0;
        step.keys = NextAdd() + "|" + NextAdd() + "|" + NextAdd();
    } else if (which <= 44) {
        step.kind = FaultStep::Kind::MidCommand;
        step.fate = fate();
        step.ms = Draw(1, 99);
        step.keys = NextAdd() + "|" + NextAdd() + "|" + NextAdd();
    } else if (which <= 49) {
        step.kind = FaultStep::Kind::ResetAtPacket;
        step.fate = fate();
    } else if (which <= 80) {
        LinkFault(kDatabaseLinkFaults, step);
    } else {
        step.link = step.terminal;
        LinkFault(kTerminalLinkFaults, step);
    }
    return step;
}
