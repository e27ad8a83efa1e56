// What a command costs the program against what the same statements cost
// through the bare client API (BareClientFloor), for a product add, C, Q and
// V, on the embedded engine and through the server on 127.0.0.1, measured
// side by side in one run: the program on one tab, the floor on another of
// the same database, alternately. Also a product add on a tab that already
// holds 1000 items against one on a nearly empty tab.
//
//     bench_commands [repetitions]     (default 300 of each command)
//
// Through the server it uses the test login of tests/support/
// prepare-test-server.sh; databases are made in a temporary folder and
// removed afterwards. They force writes, as every shop's database does (the
// engine's default); a side line then gives the product add without them,
// as the tests make their databases.
#include "BareClientFloor.h"
#include "CommandReply.h"
#include "CountArgument.h"
#include "DataModulo.h"
#include "Latencies.h"
#include "StoreTestDatabase.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWarmUp = 20;
constexpr int kItemsOnAFullTab = 1000;
constexpr int kItemsBeforeEmptying = 25;  // the "empty" tab is emptied again this often

struct Pair {
    Latencies program;
    Latencies floor;
};

// Runs the program's command and the floor's in turn, so a busy moment of
// the machine falls on both alike; `between` runs before each, untimed.
Pair Time(
    int repetitions, const std::function<void(int)>& program, const std::function<void(int)>& floor,
    const std::function<void(int)>& between = [](int) {}) {
    Pair times;
    const auto timed = [](Latencies& into, int i, const std::function<void(int)>& command) {
        const auto start = Clock::now();
        command(i);
        if (i >= 0)
            into.Add(Clock::now() - start);
    };
    for (int i = -kWarmUp; i < repetitions; ++i) {
        between(i);
        timed(times.program, i, program);
        timed(times.floor, i, floor);
    }
    return times;
}

void Report(const char* access, const char* command, const Pair& times) {
    std::printf("%-9s %-20s program %6.2f ms (p99 %6.2f)   floor %6.2f ms (p99 %6.2f)   ratio %.2f\n", access, command,
                times.program.Median(), times.program.P99(), times.floor.Median(), times.floor.P99(),
                times.program.Median() / times.floor.Median());
}

// Tab `number` (COM_CODIGO `number` too) with `items` items of product 1.
void MakeTab(const StoreTestDatabase& db, int number, int items) {
    db.Execute(
        "INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO, COM_TABELA, COM_CLIENTE, COM_QTDE, COM_TOTAL) "
        "VALUES (" +
        std::to_string(number) + ", " + std::to_string(number) + ", 1, 0, 'CONSUMIDOR', " + std::to_string(items) +
        ", " + std::to_string(items * 4.5) + ")");
    db.Execute("EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < " + std::to_string(items) +
               ") DO BEGIN "
               "INSERT INTO COMANDASITENS (CIN_CODIGO, COM_CODIGO, PRO_CODIGO, CIN_QTDE, CIN_VALOR, CIN_DESCONTO, "
               "CIN_ACRESCIMO) VALUES (GEN_ID(GEN_COMANDASITENS_ID, 1), " +
               std::to_string(number) + ", 1, 1, 4.5, 0, 0); I = I + 1; END END");
}

void EmptyTab(const StoreTestDatabase& db, int number) {
    db.Execute("DELETE FROM COMANDASITENS WHERE COM_CODIGO = " + std::to_string(number));
}

// Every command with forced writes; without them (`writes` Deferred) the
// product add alone, as a side line.
void Measure(const char* access, StoreTestDatabase::Access kind, StoreTestDatabase::Writes writes, int repetitions) {
    const bool sideLine = writes == StoreTestDatabase::Writes::Deferred;
    StoreTestDatabase db(kind, writes);
    db.SeedBasicShop();
    db.Execute(
        "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_ABATECONSUMA, PRO_VALOR1) "
        "VALUES (1, '789', 'CAFE', 0, 0, 4.50)");
    // The program works on tabs 1 and 3, the floor on 2 and 4; 3 and 4 are full.
    MakeTab(db, 1, 1);
    MakeTab(db, 2, 1);
    MakeTab(db, 3, kItemsOnAFullTab);
    MakeTab(db, 4, kItemsOnAFullTab);
    TDM dm(db.ConnectionString(), db.User(), db.Password());
    BareClientFloor floor(db.ConnectionString(), db.User(), db.Password());
    const auto run = [&dm](const std::string& line) {
        if (!RunCommand(dm, line).starts_with("000-"))
            std::abort();
    };

    if (!sideLine)
        Report(access, "C (open a tab)",
               Time(
                   repetitions, [&](int) { run("C1"); }, [&](int) { floor.OpenTab(2); }));
    else
        run("C1");
    const Pair add = Time(
        repetitions, [&](int) { run("789"); }, [&](int) { floor.AddProduct("789"); },
        [&db](int i) {
            if (i % kItemsBeforeEmptying == 0) {
                EmptyTab(db, 1);
                EmptyTab(db, 2);
            }
        });
    Report(access, "product add", add);
    if (sideLine)
        return;
    Report(access, "Q (last quantity)",
           Time(
               repetitions, [&](int i) { run("Q" + std::to_string(2 + i % 2)); },
               [&](int i) { floor.ChangeLastQuantity(2 + i % 2); }));
    Report(access, "V (total)",
           Time(
               repetitions, [&](int) { run("V"); }, [&](int) { floor.ShowTotal(); }));

    run("C3");
    floor.OpenTab(4);
    const Pair full = Time(
        repetitions, [&](int) { run("789"); }, [&](int) { floor.AddProduct("789"); });
    Report(access, "add, 1000-item tab", full);
    std::printf("%-9s %-20s program %.2f x, floor %.2f x the add on a nearly empty tab\n", access, "",
                full.program.Median() / add.program.Median(), full.floor.Median() / add.floor.Median());
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = CountArgument(argc, argv, 300, "repetitions");
    using Writes = StoreTestDatabase::Writes;
    std::printf("Forced writes (as shops run):\n");
    Measure("embedded", StoreTestDatabase::Access::Embedded, Writes::Forced, repetitions);
    Measure("server", StoreTestDatabase::Access::Server, Writes::Forced, repetitions);
    std::printf("Side line, without forced writes (as the tests run):\n");
    Measure("embedded", StoreTestDatabase::Access::Embedded, Writes::Deferred, repetitions);
    Measure("server", StoreTestDatabase::Access::Server, Writes::Deferred, repetitions);
}
