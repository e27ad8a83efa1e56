// The window program ended by a signal, as a desktop logout or "kill PID"
// ends it, after it has attached to the shop database (the database client
// puts handlers of its own on SIGINT and SIGTERM then): the built Quorvel
// and libbemasb32.so in a program folder of their own, serving a simulated
// terminal over loopback TCP on the offscreen platform.
#include "ChildProcess.h"
#include "FreeLoopbackPort.h"
#include "QZ_CRIPTO.h"
#include "StoreTestDatabase.h"
#include "TemporaryFolder.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class WindowProgramSignal : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        for (const char* file : {"Quorvel", "libbemasb32.so"})
            fs::copy_file(BuiltProgramsFolder() / file, folder_ / file);
        store_.SeedBasicShop();
    }

    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(folder_ / name, std::ios::binary) << content;
    }
    std::string Output(const std::string& name) const { return FileText(folder_ / name); }

    // One terminal on loopback, and only the connection to the shop
    // database in the own settings file: whatever else it holds afterwards
    // was saved by the program.
    void WriteSettings() const {
        Write("BemaSB32.ini", "[FIT]\nPROTOCOLO=0\n[Terminais]\nPorta=" + std::to_string(port_) + "\n0=127.0.0.1\n");
        const std::string& connection = store_.ConnectionString();
        const size_t colon = connection.find(':');
        Write("Quorvel.ini", "[IBCONFIG]\nIP=" + connection.substr(0, colon) + "\nLOCAL=" +
                                 connection.substr(colon + 1) + "\nUSUARIO=" + Scramble(store_.User(), "VELASTRO") +
                                 "\nSENHA=" + Scramble(store_.Password(), "VELASTRO") + "\nUSACONFIG=1\n");
    }

    ChildProcess Terminal() const {
        Write("terminal.keys", "");
        return ChildProcess(BuiltProgramsFolder() / "terminal-simulator",
                            {"--listen", "127.0.0.1:" + std::to_string(port_), "--headless", "--linger", "60000"},
                            folder_ / "terminal.out", folder_ / "terminal.err", folder_ / "terminal.keys");
    }

    // A socket that takes connections at the terminal's port and answers none.
    int ListenOnTheTerminalPort() const {
        const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port_));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener, 4) != 0)
            ADD_FAILURE() << "cannot listen on the terminal port";
        return listener;
    }

    ChildProcess Program() const {
        return ChildProcess(folder_ / "Quorvel", {"--terminal", "0"}, folder_ / "program.out", folder_ / "program.err");
    }

    // Waits until the file holds the text; false when it does not within the time.
    bool WaitFor(const std::string& name, const std::string& text, std::chrono::seconds limit) const {
        return WaitUntil([&] { return Output(name).find(text) != std::string::npos; }, limit);
    }

    // Whether the program holds an attachment to the shop database.
    bool Attached() const {
        return store_.Value("SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$REMOTE_PROCESS LIKE '%/Quorvel'")
                   .AsInteger() > 0;
    }
    bool WaitForAttachment(std::chrono::seconds limit) const {
        return WaitUntil([&] { return Attached(); }, limit);
    }

    // The program ends with status 0 on the signal, its settings saved and
    // its attachment closed.
    void ExpectEndsOn(ChildProcess& program, int signal) const {
        program.Signal(signal);
        EXPECT_EQ(program.Wait(30s), 0) << Output("program.err");
        const std::string settings = Output("Quorvel.ini");
        EXPECT_NE(settings.find("[TECLAS]"), std::string::npos) << settings;
        EXPECT_NE(settings.find("[ACOESESPECIAIS]"), std::string::npos) << settings;
        EXPECT_FALSE(Attached());
    }

    StoreTestDatabase store_{StoreTestDatabase::Access::Server};
    const TemporaryFolder temporary_{"quorvel-window"};
    const fs::path& folder_ = temporary_.Path();
    const int port_ = FreeLoopbackPort();
};

TEST_F(WindowProgramSignal, EndsWhileServingItsTerminal) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal == SIGTERM ? "SIGTERM" : "SIGINT");
        WriteSettings();
        ChildProcess terminal = Terminal();
        ChildProcess program = Program();
        ASSERT_TRUE(terminal.Started() && program.Started());
        // The prompt on the display: connected, the window shown and its
        // terminal started.
        ASSERT_TRUE(WaitFor("terminal.out", "DISPLAY Comanda:|||", 60s))
            << Output("terminal.out") << Output("program.err");

        ExpectEndsOn(program, signal);
        EXPECT_EQ(Output("program.err").find("Erro"), std::string::npos) << Output("program.err");
    }
}

TEST_F(WindowProgramSignal, EndsWhileAnErrorBoxWaitsForTheOperator) {
    // No terminal listens: the start fails and its error box waits for the
    // operator, in a loop of its own, until the signal comes.
    WriteSettings();
    const int listener = ListenOnTheTerminalPort();
    ChildProcess program = Program();
    // The window saves nothing before it has been shown, and it starts its
    // terminal only once shown: a connection coming to the terminal's port
    // says it is. Then the port goes away under it, and the start fails.
    pollfd arriving{listener, POLLIN, 0};
    const bool started = poll(&arriving, 1, 60000) == 1;
    close(listener);
    ASSERT_TRUE(started) << Output("program.err");
    ASSERT_TRUE(WaitForAttachment(60s)) << Output("program.err");

    ExpectEndsOn(program, SIGTERM);
}

}  // namespace
