// The whole road of one command: keys typed on the simulated terminal reach
// the program through libbemasb32.so, the polling loop hands the command line
// to the interpreter on a real shop database, and the reply and the new
// prompt come back to the terminal's display.
#include "ChildProcess.h"
#include "CommandInterpreter.h"
#include "DataModulo.h"
#include "DialogRecorder.h"
#include "EventGuard.h"
#include "FakeServicePanel.h"
#include "FreeLoopbackPort.h"
#include "IniFile.h"
#include "ServiceSettings.h"
#include "Sleeper.h"
#include "StoreTestDatabase.h"
#include "TerminalService.h"
#include "VendorLibrary.h"
#include "WaitUntil.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class TerminalServiceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { store.SeedBasicShop(); }
    void TearDown() override { unsetenv("BEMASB32_INI"); }

    // The vendor settings file as the program writes it: terminal 0 on
    // loopback at the given port. The library reads it through $BEMASB32_INI.
    void WriteVendorSettings(int port) {
        ServiceSettings settings;
        settings.port = port;
        settings.terminals = {"0=127.0.0.1"};
        IniFile vendorFile((folder / "BemaSB32.ini").string());
        IniFile ownFile((folder / "Quorvel.ini").string());
        SaveServiceSettings(settings, vendorFile, ownFile);
        setenv("BEMASB32_INI", vendorFile.Path().c_str(), 1);
    }

    TemporaryFolder temporary{"quorvel-e2e"};
    const fs::path folder = temporary.Path();
    StoreTestDatabase store;
    DialogRecorder boxes;
};

TEST_F(TerminalServiceEndToEnd, TypingC5AndEnterOpensTabFiveAndShowsTheReply) {
    const int port = FreeLoopbackPort();
    WriteVendorSettings(port);
    // Connected first: the simulator lingers only for so long without a
    // display change, and the service writes the first one as it starts.
    TDM dm(store.ConnectionString(), store.User(), store.Password());
    // Longer than the 3000 ms the reply stays, so the new prompt is seen.
    std::ofstream(folder / "keys.txt") << "C5<13>\n";
    ChildProcess terminal(BuiltProgramsFolder() / "terminal-simulator",
                          {"--listen", "127.0.0.1:" + std::to_string(port), "--headless", "--linger", "6000"},
                          folder / "display.txt", folder / "simulator.err", folder / "keys.txt");
    ASSERT_TRUE(terminal.Started());

    VendorLibrary library;
    ThreadSleeper sleeper;
    FakeServicePanel panel;
    TerminalService service(library, sleeper, panel);
    service.SetInterpreter(&dm);

    RunGuarded([&] { service.Start(); });
    ASSERT_TRUE(panel.timerActive);
    WaitUntil(
        [&] {
            RunGuarded([&] { service.Tick(); });
            return service.LastDisplayText() == "Comanda 5:" || !panel.timerActive;
        },
        std::chrono::seconds(30), std::chrono::microseconds::zero());

    EXPECT_EQ(panel.status, "Comando: C5 / Retorno:000-A COMANDA 5 FOI CRIADA!");
    EXPECT_EQ(store.Value("SELECT COUNT(*) FROM COMANDAS WHERE COM_NUMERO = 5").AsInteger(), 1);
    EXPECT_EQ(terminal.Wait(std::chrono::seconds(30)), 0);
    const std::string shown = FileText(folder / "display.txt");
    EXPECT_TRUE(ShowsInOrder(shown, {"DISPLAY Comanda:|||", "DISPLAY Comanda:C5|||",
                                     "DISPLAY 000-A COMANDA 5 FOI|CRIADA!||", "DISPLAY Comanda 5:|||"}))
        << shown;
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front();
}

}  // namespace
