// Many terminals on one server at once, each with a data module of its own
// on a thread of its own, as a service for several terminals would run them.
//
// Steady: 20 terminals, four to a tab, each issuing 5 commands a second
// (three product adds, a Q and a V, over and over) for the given time.
// Burst: 10 terminals adding 50 items each to one tab as fast as they can.
// Each part prints the command times (median, p99, longest), the errors, the
// conflict retries, and whether every successful add is stored exactly once
// and every tab's totals equal the sums of its items.
//
//     bench_concurrency [seconds]     (default 30)
//
// Through the server on 127.0.0.1 with the test login of tests/support/
// prepare-test-server.sh, on databases made for the run and removed after.
// They force writes, as every shop's database does (the engine's default);
// side lines then give both parts again without forced writes, as the tests
// make their databases.
#include "CommandReply.h"
#include "CountArgument.h"
#include "DataModulo.h"
#include "Latencies.h"
#include "StoreTestDatabase.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <latch>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Outcome {
    Latencies times;
    long errors = 0;    // commands that raised an error
    long refusals = 0;  // replies other than success
    long added = 0;     // successful product adds
    long retries = 0;   // pauses before trying a command again after a conflict
};

// One terminal's session. `issue` runs a command and counts what came of it
// and its time; `warm` one whose time is not counted, as a service's first
// commands (the connection prepares each statement at its first use).
using Issue = std::function<void(const std::string&)>;
using Session = std::function<void(int terminal, const Issue& issue, const Issue& warm)>;

Outcome RunTerminals(const StoreTestDatabase& db, int terminals, const Session& session) {
    Outcome total;
    std::mutex guard;
    std::latch ready(terminals);
    std::vector<std::thread> threads;
    for (int terminal = 0; terminal < terminals; ++terminal) {
        threads.emplace_back([&, terminal] {
            Outcome mine;
            TDM dm(db.ConnectionString(), db.User(), db.Password());
            const auto sleep = dm.Retry.sleep;
            dm.Retry.sleep = [&mine, sleep](std::chrono::milliseconds pause) {
                ++mine.retries;
                sleep(pause);
            };
            const auto run = [&](const std::string& line, bool timed) {
                const auto start = Clock::now();
                try {
                    const std::string reply = RunCommand(dm, line);
                    if (!reply.starts_with("000-"))
                        ++mine.refusals;
                    else if (reply.starts_with("000-PRODUTO"))
                        ++mine.added;
                } catch (const std::exception&) {
                    ++mine.errors;
                }
                if (timed)
                    mine.times.Add(Clock::now() - start);
            };
            const auto issue = [&](const std::string& line) { run(line, true); };
            const auto warm = [&](const std::string& line) { run(line, false); };
            ready.arrive_and_wait();
            session(terminal, issue, warm);
            const std::lock_guard lock(guard);
            total.times.Add(mine.times);
            total.errors += mine.errors;
            total.refusals += mine.refusals;
            total.added += mine.added;
            total.retries += mine.retries;
        });
    }
    for (auto& thread : threads)
        thread.join();
    return total;
}

void Report(const std::string& part, const StoreTestDatabase& db, const Outcome& outcome) {
    const long stored = db.Value("SELECT COUNT(*) FROM COMANDASITENS").AsInteger();
    const long inconsistent = db.Value(
                                    "SELECT COUNT(*) FROM COMANDAS C WHERE C.COM_QTDE IS DISTINCT FROM "
                                    "(SELECT SUM(CIN_QTDE) FROM COMANDASITENS I WHERE I.COM_CODIGO = C.COM_CODIGO) "
                                    "OR C.COM_TOTAL IS DISTINCT FROM (SELECT CAST(SUM(CIN_QTDE * CIN_VALOR) AS "
                                    "NUMERIC(18,2)) FROM COMANDASITENS I WHERE I.COM_CODIGO = C.COM_CODIGO)")
                                  .AsInteger();
    std::printf(
        "%s: %zu commands, median %.2f ms, p99 %.2f ms, longest %.2f ms; errors %ld, refusals %ld, "
        "conflict retries %ld\n",
        part.c_str(), outcome.times.Count(), outcome.times.Median(), outcome.times.P99(), outcome.times.Percentile(1.0),
        outcome.errors, outcome.refusals, outcome.retries);
    std::printf(
        "%s: %ld items added, %ld stored: %ld lost, %ld doubled; tabs whose totals differ from their "
        "items: %ld\n",
        part.c_str(), outcome.added, stored, std::max(0L, outcome.added - stored), std::max(0L, stored - outcome.added),
        inconsistent);
}

// A fresh shop with product 789 at R$ 4,50 and tabs 1 to `tabs`.
void PrepareShop(const StoreTestDatabase& db, int tabs) {
    db.SeedBasicShop();
    db.Execute(
        "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1) "
        "VALUES (1, '789', 'CAFE', 0, 4.50)");
    for (int tab = 1; tab <= tabs; ++tab)
        db.Execute(
            "INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO, COM_TABELA, COM_CLIENTE, COM_QTDE, "
            "COM_TOTAL) VALUES (" +
            std::to_string(tab) + ", " + std::to_string(tab) + ", 1, 0, 'CONSUMIDOR', 0, 0)");
}

// "steady" or "burst", marked when the database does not force writes.
std::string PartName(const char* part, StoreTestDatabase::Writes writes) {
    return std::string(part) + (writes == StoreTestDatabase::Writes::Forced ? "" : " (no forced writes)");
}

void Steady(int seconds, StoreTestDatabase::Writes writes) {
    constexpr int kTerminals = 20;
    constexpr int kTerminalsPerTab = 4;
    constexpr auto kInterval = std::chrono::milliseconds(200);  // 5 commands a second
    const std::vector<std::string> cycle = {"789", "789", "Q2", "789", "V"};
    StoreTestDatabase db(StoreTestDatabase::Access::Server, writes);
    PrepareShop(db, kTerminals / kTerminalsPerTab);
    const Outcome outcome = RunTerminals(db, kTerminals, [&](int terminal, const Issue& issue, const Issue& warm) {
        warm("C" + std::to_string(1 + terminal / kTerminalsPerTab));
        for (const std::string& line : cycle)
            warm(line);
        issue("C" + std::to_string(1 + terminal / kTerminalsPerTab));
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        // Terminals start spread over one interval, then keep their pace.
        auto next = Clock::now() + kInterval * terminal / kTerminals;
        for (std::size_t i = 0; next < end; ++i, next += kInterval) {
            std::this_thread::sleep_until(next);
            issue(cycle[i % cycle.size()]);
        }
    });
    Report(PartName("steady", writes), db, outcome);
}

void Burst(StoreTestDatabase::Writes writes) {
    constexpr int kTerminals = 10;
    constexpr int kItems = 50;
    StoreTestDatabase db(StoreTestDatabase::Access::Server, writes);
    PrepareShop(db, 1);
    const auto start = Clock::now();
    const Outcome outcome = RunTerminals(db, kTerminals, [&](int, const Issue& issue, const Issue& warm) {
        warm("C1");
        warm("V");
        for (int i = 0; i < kItems; ++i)
            issue("789");
    });
    const std::string part = PartName("burst", writes);
    std::printf("%s: %.1f s for %d adds\n", part.c_str(), std::chrono::duration<double>(Clock::now() - start).count(),
                kTerminals * kItems);
    Report(part, db, outcome);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = CountArgument(argc, argv, 30, "seconds of steady load");
    for (const auto writes : {StoreTestDatabase::Writes::Forced, StoreTestDatabase::Writes::Deferred}) {
        Steady(seconds, writes);
        Burst(writes);
    }
}
