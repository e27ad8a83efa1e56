// A shop's fleet against the built service: N simulated terminals in this
// one process (TerminalFarm), served by K services (`Quorvel --headless`,
// each a program folder of its own with its share of the terminals and a
// port of its own) on one shop database that forces its writes, logged in
// as the terminal user of scripts/grant-terminal-user.sh.
//
// Every terminal opens a tab of its own, all at one instant once every
// terminal serves, then keys a product add, now and then a "Q2" or a "V",
// one command every 3.75 s or a little more. The run prints the start-up
// (start of the services to the last terminal showing its prompt), the tab
// openings and the other commands' Enter -> reply times (median, p99,
// longest) beside the same measured first with one terminal on one service
// (the floor that the terminal pacing alone gives), the replies by code,
// the server's transactions per opening, each service's processor share and
// peak memory, the Firebird server's and this process's processor share,
// the load average, and then checks the store against every reply: one tab
// per terminal, every added item stored once, each tab's quantity and total
// as its replies said ("V" included).
//
//     bench_fleet [terminals [services [seconds]]]   (default 256 1 60)
//
// Through the server on 127.0.0.1 with the test login of
// tests/support/prepare-test-server.sh; the terminals listen on 127.1.x.y.
#include "ChildProcess.h"
#include "FreeLoopbackPort.h"
#include "IntegerText.h"
#include "Latencies.h"
#include "ProcessUsage.h"
#include "QZ_CRIPTO.h"
#include "RegionalFormats.h"
#include "StoreTestDatabase.h"
#include "TemporaryFolder.h"
#include "TerminalFarm.h"
#include "TerminalUserLogin.h"
#include "WaitUntil.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char* kBarcode = "789";
constexpr std::int64_t kPrice = 45000;  // 4,50 in ten-thousandths
constexpr std::chrono::milliseconds kPacing{3750};
constexpr const char* kFirebirdPidFile = "/var/run/firebird3.0/firebird.pid";

struct Arguments {
    int terminals = 256;
    int services = 1;
    int seconds = 60;
};

Arguments ReadArguments(int argc, char** argv) {
    Arguments arguments;
    int* fields[] = {&arguments.terminals, &arguments.services, &arguments.seconds};
    for (int i = 1; i < argc; ++i) {
        const auto value = ParseInteger(argv[i]);
        if (argc > 4 || !value || *value < 1) {
            std::fprintf(stderr, "usage: %s [terminals [services [seconds]]]   (default 256 1 60)\n", argv[0]);
            std::exit(2);
        }
        *fields[i - 1] = static_cast<int>(*value);
    }
    if (arguments.terminals > 250 * 250 || arguments.services > arguments.terminals) {
        std::fprintf(stderr, "%s: at most 62500 terminals and one service per terminal\n", argv[0]);
        std::exit(2);
    }
    return arguments;
}

int FirebirdServerPid() {
    std::ifstream file(kFirebirdPidFile);
    int pid = 0;
    file >> pid;
    return pid;
}

long NextTransaction(const StoreTestDatabase& db) {
    return static_cast<long>(db.Value("SELECT MON$NEXT_TRANSACTION FROM MON$DATABASE").AsInteger());
}

// One service: a program folder with its terminals and its port.
class Service {
public:
    Service(const StoreTestDatabase& db, const DatabaseLogin& login,
            const std::vector<TerminalFarm::Terminal>& terminals) {
        for (const char* file : {"Quorvel", "libbemasb32.so"})
            fs::copy_file(BuiltProgramsFolder() / file, folder_.Path() / file);
        std::string list = "[FIT]\nPROTOCOLO=0\n[Terminais]\nPorta=" + std::to_string(terminals.front().port) + "\n";
        for (size_t key = 0; key < terminals.size(); ++key)
            list += std::to_string(key) + "=" + terminals[key].address + "\n";
        std::ofstream(folder_.Path() / "BemaSB32.ini") << list;
        const std::string& database = db.ConnectionString();
        const size_t colon = database.find(':');
        std::ofstream(folder_.Path() / "Quorvel.ini")
            << "[IBCONFIG]\nIP=" << database.substr(0, colon) << "\nLOCAL=" << database.substr(colon + 1)
            << "\nUSUARIO=" << Scramble(login.user, "VELASTRO") << "\nSENHA=" << Scramble(login.password, "VELASTRO")
            << "\nUSACONFIG=1\n";
    }

    void Start() {
        process_ = std::make_unique<ChildProcess>(folder_.Path() / "Quorvel", std::vector<std::string>{"--headless"},
                                                  folder_.Path() / "service.out", folder_.Path() / "service.err");
    }
    int Pid() const { return process_->Pid(); }
    // SIGTERM; the exit status (none when it did not end in time).
    std::optional<int> Stop() {
        process_->Signal(SIGTERM);
        return process_->Wait(30s);
    }
    std::string Errors() const { return FileText(folder_.Path() / "service.err"); }

private:
    TemporaryFolder folder_{"quorvel-fleet"};
    std::unique_ptr<ChildProcess> process_;
};

struct Figures {
    int terminals = 0;
    int services = 0;
    double startup = 0;  // seconds to the last terminal serving; negative: not all within the limit
    int serving = 0;
    Latencies openings;
    Latencies firstCommands;  // each terminal's first after the opening
    Latencies commands;       // the others after the opening
    std::map<std::string, long> codes;
    int unanswered = 0;
    double transactionsPerOpening = 0;
    std::vector<ProcessUsage> servicesBefore, servicesAfter;
    ProcessUsage firebirdBefore, firebirdAfter, benchBefore, benchAfter;
    Clock::duration measured{};
    double loadBefore = 0, loadAfter = 0;
    std::vector<TerminalFarm::Reply> replies;
};

// Runs `terminals` terminals on `services` services for `seconds` after the
// openings; tab numbers from `firstTab`, addresses 127.<net>.x.y.
Figures RunFleet(const StoreTestDatabase& db, const DatabaseLogin& login, int terminals, int services, int seconds,
                 int firstTab, int net) {
    Figures figures;
    figures.terminals = terminals;
    figures.services = services;
    std::vector<TerminalFarm::Terminal> all;
    std::vector<std::vector<TerminalFarm::Terminal>> shares(static_cast<size_t>(services));
    std::vector<int> ports;
    for (int s = 0; s < services; ++s)
        ports.push_back(FreeLoopbackPort());
    for (int k = 0; k < terminals; ++k) {
        const int service = k * services / terminals;
        const TerminalFarm::Terminal terminal{
            "127." + std::to_string(net) + "." + std::to_string(k / 250) + "." + std::to_string(k % 250 + 1),
            ports[static_cast<size_t>(service)], firstTab + k};
        all.push_back(terminal);
        shares[static_cast<size_t>(service)].push_back(terminal);
    }
    TerminalFarm farm(all, kBarcode, kPacing);
    std::vector<std::unique_ptr<Service>> running;
    for (const auto& share : shares)
        running.push_back(std::make_unique<Service>(db, login, share));

    figures.loadBefore = LoadAverage();
    const auto start = Clock::now();
    for (auto& service : running)
        service->Start();
    std::optional<Clock::time_point> last;
    WaitUntil(
        [&] {
            const auto serving = farm.Serving();
            figures.serving =
                static_cast<int>(std::count_if(serving.begin(), serving.end(), [](auto at) { return at.has_value(); }));
            if (figures.serving < terminals)
                return false;
            last = *std::max_element(serving.begin(), serving.end());
            return true;
        },
        120s);
    figures.startup = last ? std::chrono::duration<double>(*last - start).count() : -1;

    const auto measuredFrom = Clock::now();
    for (const auto& service : running)
        figures.servicesBefore.push_back(UsageOf(service->Pid()));
    figures.firebirdBefore = UsageOf(FirebirdServerPid());
    figures.benchBefore = UsageOf(getpid());
    const long transactionsBefore = NextTransaction(db);
    farm.Begin();
    WaitUntil([&] { return farm.OpeningsAnswered() == figures.serving; }, 60s);
    figures.transactionsPerOpening =
        static_cast<double>(NextTransaction(db) - transactionsBefore) / std::max(1, farm.OpeningsAnswered());
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    figures.replies = farm.Finish(15s, figures.unanswered);
    figures.measured = Clock::now() - measuredFrom;
    for (const auto& service : running)
        figures.servicesAfter.push_back(UsageOf(service->Pid()));
    figures.firebirdAfter = UsageOf(FirebirdServerPid());
    figures.benchAfter = UsageOf(getpid());
    figures.loadAfter = LoadAverage();
    for (auto& service : running)
        if (const auto status = service->Stop(); status != 0)
            std::printf("  a service ended with %d: %s\n", status.value_or(-1), service->Errors().c_str());

    // Each terminal's first command after its opening is its connection's
    // first use of that command's statements, which the server prepares then.
    std::set<int> started;
    for (const auto& reply : figures.replies) {
        if (reply.text.empty())
            continue;  // no reply
        const auto elapsed =
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(reply.milliseconds));
        if (reply.command.starts_with("C"))
            figures.openings.Add(elapsed);
        else if (started.insert(reply.tab).second)
            figures.firstCommands.Add(elapsed);
        else
            figures.commands.Add(elapsed);
        ++figures.codes[reply.text.substr(0, 3)];
    }
    return figures;
}

std::string Times(const Latencies& times) {
    char text[128];
    std::snprintf(text, sizeof text, "median %.0f ms, p99 %.0f ms, max %.0f ms (%zu)", times.Median(), times.P99(),
                  times.Percentile(1.0), times.Count());
    return text;
}

void Print(const Figures& f, const Figures& floor) {
    const double seconds = std::chrono::duration<double>(f.measured).count();
    std::printf(
        "%d terminals on %d service%s, forced writes, a command every %.2f s a terminal; load average %.2f "
        "before, %.2f after\n",
        f.terminals, f.services, f.services == 1 ? "" : "s", kPacing.count() / 1000.0, f.loadBefore, f.loadAfter);
    if (f.startup >= 0)
        std::printf("  start-up: all %d serving %.2f s after the services started\n", f.terminals, f.startup);
    else
        std::printf("  start-up: only %d of %d serving after 120 s\n", f.serving, f.terminals);
    std::printf("  tab openings, all at once: %s; %.1f server transactions each\n", Times(f.openings).c_str(),
                f.transactionsPerOpening);
    std::printf("  each terminal's first command after it: %s\n", Times(f.firstCommands).c_str());
    std::printf("  the other commands, Enter -> reply:     %s\n", Times(f.commands).c_str());
    std::printf("  floor, one terminal alone:              %s\n", Times(floor.commands).c_str());
    std::printf("  replies:");
    for (const auto& [code, count] : f.codes)
        std::printf(" %s x %ld", code.c_str(), count);
    std::printf("; %d without a reply\n", f.unanswered);
    for (size_t s = 0; s < f.servicesBefore.size(); ++s)
        std::printf("  service %zu: %.1f %% of a core, peak %ld MB\n", s + 1,
                    100 * CoreShare(f.servicesBefore[s], f.servicesAfter[s], f.measured),
                    f.servicesAfter[s].peakKilobytes / 1024);
    std::printf("  Firebird server: %.1f %% of a core; this process (the terminals): %.1f %%; over %.0f s\n",
                100 * CoreShare(f.firebirdBefore, f.firebirdAfter, f.measured),
                100 * CoreShare(f.benchBefore, f.benchAfter, f.measured), seconds);
}

// What the replies say each terminal's tab holds, against the store.
// Returns the lines that disagree.
std::vector<std::string> CheckStore(const StoreTestDatabase& db, const std::vector<Figures>& runs) {
    struct Expected {
        int created = 0;
        long items = 0;
        long quantity = 0;  // whole units: each add 1, a "Q2" makes the last item 2
        bool lastDoubled = false;
        bool certain = true;  // false after a command that got no reply
    };
    std::map<std::int64_t, Expected> tabs;
    std::vector<std::string> wrong;
    const auto disagree = [&](std::int64_t tab, const std::string& what) {
        wrong.push_back("tab " + std::to_string(tab) + ": " + what);
    };
    for (const auto& run : runs) {
        for (const auto& reply : run.replies) {
            Expected& tab = tabs[reply.tab];
            if (reply.text.empty()) {
                tab.certain = false;
            } else if (reply.command.starts_with("C")) {
                tab.created += reply.text == "000-A COMANDA " + std::to_string(reply.tab) + " FOI CRIADA!";
            } else if (reply.command == kBarcode && reply.text == "000-PRODUTO CAFE ADICIONADO!") {
                ++tab.items;
                ++tab.quantity;
                tab.lastDoubled = false;
            } else if (reply.command == "Q2" && reply.text == "000-QUANTIDADE DO PRODUTO ALTERADA PARA 2") {
                tab.quantity += tab.lastDoubled ? 0 : 1;
                tab.lastDoubled = true;
            } else if (reply.command == "V") {
                const std::string said = "000-TOTAL DA COMANDA: " + FormatMoney(tab.quantity * kPrice);
                if (tab.certain && reply.text != said)
                    disagree(reply.tab, "\"" + reply.text + "\" where the replies before make \"" + said + "\"");
            } else if (reply.text.starts_with("000")) {
                disagree(reply.tab, "\"" + reply.command + "\" answered \"" + reply.text + "\"");
            }
        }
    }
    const RowSet stored = db.Rows(
        "SELECT COM_NUMERO, COM_QTDE, COM_TOTAL, (SELECT COUNT(*) FROM COMANDASITENS I WHERE I.COM_CODIGO = "
        "C.COM_CODIGO), (SELECT SUM(CIN_QTDE) FROM COMANDASITENS I WHERE I.COM_CODIGO = C.COM_CODIGO) FROM COMANDAS C");
    std::map<std::int64_t, int> rowsOfTab;
    for (const auto& row : stored.rows) {
        const std::int64_t number = row[0].AsInteger();
        ++rowsOfTab[number];
        const auto found = tabs.find(number);
        if (found == tabs.end()) {
            disagree(number, "in the store, but no terminal opened it");
            continue;
        }
        const Expected& tab = found->second;
        if (!tab.certain)
            continue;
        const std::int64_t quantity = tab.quantity * 10000;
        if (row[1].AsFixed().Raw() != quantity || row[4].AsFixed().Raw() != quantity)
            disagree(number, "quantity " + row[1].AsText().Bytes() + ", items' " + row[4].AsText().Bytes() +
                                 ", where the replies make " + std::to_string(tab.quantity));
        if (row[2].AsFixed().Raw() != tab.quantity * kPrice)
            disagree(number, "total " + row[2].AsText().Bytes() + ", where the replies make " +
                                 FormatMoney(tab.quantity * kPrice));
        if (row[3].AsInteger() != tab.items)
            disagree(number, std::to_string(row[3].AsInteger()) + " items, where the replies make " +
                                 std::to_string(tab.items));
    }
    for (const auto& [number, tab] : tabs)
        if (tab.certain && rowsOfTab[number] != tab.created)
            disagree(number, std::to_string(rowsOfTab[number]) + " tabs in the store, " + std::to_string(tab.created) +
                                 " created by the replies");
    return wrong;
}

}  // namespace

int main(int argc, char** argv) {
    const Arguments arguments = ReadArguments(argc, argv);
    // Every terminal a listening socket and a connection in this process.
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);

    StoreTestDatabase db(StoreTestDatabase::Access::Server, StoreTestDatabase::Writes::Forced);
    db.SeedBasicShop();
    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1) VALUES (1, '" +
               std::string(kBarcode) + "', 'CAFE', 0, 4.5)");
    const DatabaseLogin login = GrantTerminalUser(db);

    const Figures floor = RunFleet(db, login, 1, 1, 30, 1, 2);
    const Figures fleet = RunFleet(db, login, arguments.terminals, arguments.services, arguments.seconds, 1001, 1);
    Print(fleet, floor);
    const std::vector<std::string> wrong = CheckStore(db, {floor, fleet});
    if (wrong.empty())
        std::printf("  store: every reply matches the store\n");
    for (const auto& line : wrong)
        std::printf("  store: %s\n", line.c_str());
    return wrong.empty() ? 0 : 1;
}
