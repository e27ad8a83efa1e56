#pragma once
// What a fault run does, step by step: commands typed on the simulated
// terminals and faults put on the links through the fault proxies. A
// seeded maker draws the steps, so a run that fails is replayed from its
// seed; fixed schedules are written as lists of steps.
#include "FaultProxy.h"

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

struct FaultStep {
    enum class Kind {
        Keys,           // keys typed on `terminal` once it shows its prompt
        Latency,        // every chunk on `link` delayed `ms`, for `span` ms
        Stall,          // every byte on `link` held for `ms`
        ResetAll,       // every connection on `link` reset
        ResetAtPacket,  // the next client packet on the database link meets `fate`
        CommitHit,      // an add on `terminal` whose commit meets `fate`, new connections then refused for `span` ms
                        // (`keys`: adds to count an add's packets, then the hit add, "|" between)
        MidCommand,     // the same, at the client packet `ms` of every 100 of an add
        Refuse,         // new connections on `link` refused for `ms`
        Signal,         // SIGTERM to the service `ms` after the last command reached the database link
        Settle,         // waits until every terminal has shown its last reply and its prompt
    };
    Kind kind = Kind::Keys;
    // The link a fault is put on: -1 the database, else the terminal's.
    int link = -1;
    int terminal = 0;
    std::string keys;        // simulator key lines; CommitHit and MidCommand: "clean|hit"
    int ms = 0;
    int span = 0;
    FaultProxy::PacketFate fate = FaultProxy::PacketFate::Dropped;
};

// A line saying what the step does, as the run's schedule prints it.
std::string Describe(const FaultStep& step);
// The name a fault is counted under in the summary ("" for keys).
std::string FaultName(const FaultStep& step);

// The bar code of the n-th product the runs add (each add keys a product of
// its own, so the store shows how often each add was stored): 8 digits, the
// last a check digit, so a code with a key lost or one more names no product.
std::string ProductBarcode(int n);

struct LinkFaultShare;

// Draws steps from a seed: each terminal first opens its first tab, then
// commands on the terminals in turn (adds, Q, V, T, C among its own three tabs)
// and faults of every kind, commit hits weighted.
class FaultScheduleMaker {
public:
    FaultScheduleMaker(std::uint64_t seed, int terminals);
    FaultStep Next();
    // Products the steps so far have keyed.
    int ProductsUsed() const { return products_; }

private:
    int Draw(int from, int to);
    std::string NextAdd();
    FaultStep Command();
    FaultStep Fault();
    // One of the faults of a link's table, drawn by their shares.
    void LinkFault(std::span<const LinkFaultShare> faults, FaultStep& step);

    std::mt19937_64 random_;
    int terminals_;
    int opened_ = 0;
    int products_ = 0;
    int nextTerminal_ = 0;
};

// The tab numbers of a terminal: 100 * (terminal + 1) + 1 to 3.
int TabOf(int terminal, int which);
