// The service's own terminals, notifier and reload with a terminal library
// of the test's own: one that records the protocols selected and whose key
// read can be made to hang on one terminal.
#include "HeadlessOutput.h"
#include "NotifySocket.h"
#include "ServiceNotifier.h"
#include "ServiceReload.h"
#include "SharedServiceSettings.h"
#include "ShopFolder.h"
#include "TerminalFleet.h"
#include "TerminalLibrary.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <sstream>

namespace {

using namespace std::chrono_literals;

// Every call succeeds and no key waits; a key read for the terminal named
// by Hang does not come back until Release.
class ControlledLibrary : public TerminalLibrary {
public:
    int IniciaComunicacao() override { return 1; }
    int SelecionaProtocolo(int protocol) override {
        const std::lock_guard lock(mutex_);
        protocols_.push_back(protocol);
        changed_.notify_all();
        return 1;
    }
    int LimpaDisplay(unsigned char) override { return 1; }
    int PosicionaCursor(unsigned char, int, int) override { return 1; }
    int EscreveDisplay(unsigned char, const char*) override { return 1; }
    int LerBuffer(unsigned char terminal) override {
        std::unique_lock lock(mutex_);
        if (terminal == hanging_) {
            hung_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this, terminal] { return hanging_ != terminal; });
        }
        return 0;
    }

    void Hang(int terminal) {
        const std::lock_guard lock(mutex_);
        hanging_ = terminal;
    }
    void Release() {
        const std::lock_guard lock(mutex_);
        hanging_ = -1;
        changed_.notify_all();
    }
    bool WaitUntilHung(std::chrono::seconds limit) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [this] { return hung_; });
    }
    // Waits until the protocols selected so far are these.
    bool WaitForProtocols(const std::vector<int>& protocols, std::chrono::seconds limit) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return protocols_ == protocols; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int hanging_ = -1;
    bool hung_ = false;
    std::vector<int> protocols_;
};

// Lets a hung key read go before the terminals' threads are waited for.
struct ReleaseAtEnd {
    ControlledLibrary& library;
    ~ReleaseAtEnd() { library.Release(); }
};

// The service's main loop in short: pets as it would until the manager got
// a WATCHDOG=1, or the time is over.
bool PetUntilWatchdog(ServiceNotifier& notifier, const TerminalFleet& fleet, NotifySocket& manager,
                      std::chrono::seconds limit) {
    return WaitUntil(
        [&] {
            PetWatchdog(notifier, fleet);
            return manager.WaitForLine("WATCHDOG=1", 0s);
        },
        limit, 20ms);
}

TEST(ServiceWatchdog, PetsOnlyWhileEveryTerminalThreadTicks) {
    StoreTestDatabase store(StoreTestDatabase::Access::Server);
    ShopFolder shop(store);
    NotifySocket manager(500ms);
    ServiceNotifier notifier;
    ASSERT_TRUE(notifier.WatchdogInterval());
    ControlledLibrary library;
    SharedServiceSettings settings;
    std::ostringstream status;
    std::ostringstream messages;
    HeadlessOutput output(status, messages);
    TerminalFleet fleet(settings, library, output, nullptr, (shop.Path() / "Quorvel.ini").string());
    ReleaseAtEnd release{library};
    ASSERT_EQ(fleet.Serve({"0=127.0.0.1", "1=127.0.0.2"}, {0, 1}, false, true).started, 2) << messages.str();

    EXPECT_TRUE(PetUntilWatchdog(notifier, fleet, manager, 60s));

    // Terminal 1's thread hangs in a key read while terminal 0's ticks on.
    library.Hang(1);
    ASSERT_TRUE(library.WaitUntilHung(60s));
    const auto interval = *notifier.WatchdogInterval();
    ASSERT_TRUE(
        WaitUntil([&] { return !fleet.AllTickedSince(std::chrono::steady_clock::now() - interval); }, 60s, 20ms));
    manager.Clear();
    EXPECT_FALSE(PetUntilWatchdog(notifier, fleet, manager, 2s)) << "a pet while a thread hangs";

    // Back in its loop, the thread lets the pets go on.
    library.Release();
    EXPECT_TRUE(PetUntilWatchdog(notifier, fleet, manager, 60s));
}

// A reload that changes the protocol starts every kept terminal again on
// its own thread, so each selects the new one; nothing else is restarted.
TEST(ServiceFleetReload, StartsKeptTerminalsAgainInPlaceWhenTheProtocolChanges) {
    StoreTestDatabase store(StoreTestDatabase::Access::Server);
    ShopFolder shop(store);
    const ServiceSettingsFiles files = SettingsFilesOf((shop.Path() / "Quorvel").string());
    const HeadlessOptions options;
    ControlledLibrary library;
    const ServicePlan plan = PlanService(files, options);
    SharedServiceSettings settings(plan.settings);
    std::ostringstream status;
    std::ostringstream messages;
    HeadlessOutput output(status, messages);
    TerminalFleet fleet(settings, library, output, nullptr, (shop.Path() / "Quorvel.ini").string());
    ASSERT_EQ(fleet.Serve(plan.settings.terminals, plan.positions, false, true).started, 2) << messages.str();
    ASSERT_TRUE(library.WaitForProtocols({0, 0}, 60s));

    std::string terminalFile = shop.TerminalFile({"0=127.0.0.1", "1=127.0.0.2"});
    terminalFile.replace(terminalFile.find("PROTOCOLO=0"), 11, "PROTOCOLO=1");
    shop.Write("BemaSB32.ini", terminalFile);
    ReloadService(files, options, settings, fleet, output);

    EXPECT_TRUE(library.WaitForProtocols({0, 0, 1, 1}, 60s)) << status.str() << messages.str();
    EXPECT_NE(status.str().find("configura\xC3\xA7\xC3\xB5"
                                "es recarregadas: 0 terminais iniciados, 0 parados, 2 mantidos"),
              std::string::npos)
        << status.str();
}

}  // namespace
