#include "FaultRig.h"

#include "FaultSchedule.h"
#include "FreeLoopbackPort.h"
#include "WaitUntil.h"

#include <stdexcept>

namespace {

// The Firebird server the shop database was made on.
constexpr int kFirebirdPort = 3050;
// Products inserted per statement.
constexpr int kProductsPerBlock = 200;

std::string TerminalAddress(int terminal) { return "127.0.0." + std::to_string(terminal + 2); }

// Prices from R$ 1,00 to 10,75 on table 1, 0,50 more on table 2.
std::string Price(int product, int table) {
    const int cents = 100 + (product % 40) * 25 + (table == 2 ? 50 : 0);
    return std::to_string(cents / 100) + "." + std::to_string(cents % 100);
}

}  // namespace

FaultRig::FaultRig(int terminals, int products) : products_(products) {
    for (int first = 1; first <= products; first += kProductsPerBlock) {
        std::string block = "EXECUTE BLOCK AS BEGIN\n";
        for (int n = first; n < first + kProductsPerBlock && n <= products; ++n)
            block += "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1, PRO_VALOR2) "
                     "VALUES (" + std::to_string(1000 + n) + ", '" + ProductBarcode(n) + "', 'P" +
                     std::to_string(n) + "', 0, " + Price(n, 1) + ", " + Price(n, 2) + ");\n";
        store_.Execute(block + "END");
    }
    database_ = std::make_unique<FaultProxy>(FaultProxy::Endpoint{"127.0.0.1", 0},
                                             FaultProxy::Endpoint{"127.0.0.1", kFirebirdPort});
    const std::string path = store_.ConnectionString().substr(store_.ConnectionString().find(':') + 1);
    shop_.Write("Quorvel.ini", shop_.ConnectionSection(database_->FirebirdHost() + ":" + path));

    std::vector<std::string> entries;
    for (int t = 0; t < terminals; ++t) {
        const int simulatorPort = FreeLoopbackPort();
        terminals_.push_back(std::make_unique<LiveTerminal>(shop_.Path(), "terminal-" + std::to_string(t),
                                                            "127.0.0.1", simulatorPort));
        links_.push_back(std::make_unique<FaultProxy>(FaultProxy::Endpoint{TerminalAddress(t), shop_.Port()},
                                                      FaultProxy::Endpoint{"127.0.0.1", simulatorPort}));
        entries.push_back(std::to_string(t) + "=" + TerminalAddress(t));
    }
    shop_.Write("BemaSB32.ini", shop_.TerminalFile(entries));
    program_ = std::make_unique<ChildProcess>(shop_.Path() / "Quorvel", std::vector<std::string>{"--headless"},
                                              shop_.Path() / "program.out", shop_.Path() / "program.err");
}

FaultRig::~FaultRig() {
    program_.reset();  // the service goes before the links it uses
    terminals_.clear();
    links_.clear();
    database_.reset();
}

FaultProxy& FaultRig::Link(int link) { return link < 0 ? *database_ : *links_.at(link); }

std::vector<FaultProxy*> FaultRig::AllLinks() {
    std::vector<FaultProxy*> all{database_.get()};
    for (const auto& link : links_)
        all.push_back(link.get());
    return all;
}

bool FaultRig::Started(std::chrono::seconds limit) const {
    return WaitUntil(
        [&] {
            const std::string output = ProgramOutput();
            for (int t = 0; t < Terminals(); ++t)
                if (output.find("terminal " + std::to_string(t) + ": conex") == std::string::npos)
                    return false;
            return true;
        },
        limit);
}

void FaultRig::Type(int terminal, const std::string& keys) const { terminals_.at(terminal)->Type(keys); }

std::string FaultRig::DisplayOutput(int terminal) const {
    return shop_.Output("terminal-" + std::to_string(terminal) + ".out");
}
