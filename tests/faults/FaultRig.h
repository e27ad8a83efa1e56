#pragma once
// The built Quorvel --headless serving simulated terminals, with a fault
// proxy on every link: one between the service and the Firebird server on
// 127.0.0.1, and one between the terminal library and each simulated
// terminal (the library reaches terminal t at 127.0.0.(t + 2), where its
// proxy listens; the simulator itself listens on 127.0.0.1). The shop has
// the products the runs key (ProductBarcode 1 to `products`).
#include "FaultProxy.h"
#include "ShopFolder.h"

#include <memory>
#include <string>
#include <vector>

class FaultRig {
public:
    // Makes the shop and starts the proxies, the simulators and the
    // service; Started tells when the service serves every terminal.
    FaultRig(int terminals, int products);
    ~FaultRig();

    int Terminals() const { return static_cast<int>(terminals_.size()); }
    int Products() const { return products_; }
    // The proxy of `link`: -1 the database's, else terminal `link`'s.
    FaultProxy& Link(int link);
    std::vector<FaultProxy*> AllLinks();

    // Waits until the service serves every terminal; false when it does
    // not within the time (the reason is in its output).
    bool Started(std::chrono::seconds limit) const;
    void Type(int terminal, const std::string& keys) const;
    ChildProcess& Program() { return *program_; }
    const StoreTestDatabase& Store() const { return store_; }

    // The service's standard output and error, and what terminal t's
    // simulator printed, as far as they have come.
    std::string ProgramOutput() const { return shop_.Output("program.out"); }
    std::string ProgramErrors() const { return shop_.Output("program.err"); }
    std::string DisplayOutput(int terminal) const;

private:
    StoreTestDatabase store_{StoreTestDatabase::Access::Server};
    ShopFolder shop_{store_};
    const int products_;
    std::unique_ptr<FaultProxy> database_;
    std::vector<std::unique_ptr<FaultProxy>> links_;
    std::vector<std::unique_ptr<LiveTerminal>> terminals_;
    std::unique_ptr<ChildProcess> program_;
};
