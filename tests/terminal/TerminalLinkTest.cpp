// The program's binding of libbemasb32.so driving terminals over loopback
// TCP: the simulator's terminal in this process, the simulator program in
// its scripted mode, and raw peers that misbehave.
#include "DisplayWriter.h"
#include "FreeLoopbackPort.h"
#include "QZ_DIALOG.h"
#include "SimulatedTerminal.h"
#include "TerminalServer.h"
#include "VendorLibrary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kNoConnection = 65280;
// Bound for waiting on something that should happen at once; only reached
// when it does not happen at all.
constexpr auto kPatience = 5s;

fs::path ProgramFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

// A "BemaSB32.ini" for this test alone, named to the library by
// $BEMASB32_INI: terminal 0 at the given port on loopback, terminal 3 at an
// address that is not one.
class SettingsFile {
public:
    SettingsFile(int port, int protocol) {
        static int made = 0;
        path_ = fs::temp_directory_path() /
                ("BemaSB32-" + std::to_string(getpid()) + "-" + std::to_string(++made) + ".ini");
        std::ofstream(path_) << "[FIT]\r\nPROTOCOLO=" << protocol << "\r\n[Terminais]\r\nPorta=" << port
                             << "\r\n0=127.0.0.1\r\n3=terminal-sem-ip\r\n";
        setenv("BEMASB32_INI", path_.c_str(), 1);
    }
    ~SettingsFile() {
        unsetenv("BEMASB32_INI");
        fs::remove(path_);
    }

private:
    fs::path path_;
};

// Any message box is a failed library call here.
class NoMessageBoxes {
public:
    NoMessageBoxes() {
        previous_ = SetDialogBoxHandler([](TDialogBoxKind, const std::string& title, const std::string& text) {
            ADD_FAILURE() << "message box " << title << " / " << text;
            return 1;
        });
    }
    ~NoMessageBoxes() { SetDialogBoxHandler(previous_); }

private:
    DialogBoxHandler previous_;
};

// Runs the step until it says it is done; false when it never is.
bool Eventually(const std::function<bool()>& step) {
    for (auto deadline = Clock::now() + kPatience; Clock::now() < deadline;) {
        if (step())
            return true;
    }
    return false;
}

// Reads key codes until the count is reached, skipping "nothing waits".
std::vector<int> ReadKeys(TerminalLibrary& library, size_t count, const std::function<void()>& serve) {
    std::vector<int> codes;
    Eventually([&] {
        serve();
        int code = library.LerBuffer(0);
        if (code != 0 && code != kNoConnection)
            codes.push_back(code);
        return codes.size() == count;
    });
    return codes;
}

class LinkTest : public ::testing::TestWithParam<int> {
protected:
    LinkTest()
        : terminal(std::make_unique<SimulatedTerminal>(Framing(GetParam()))),
          server(std::make_unique<TerminalServer>(*terminal, "127.0.0.1", 0)),
          settings(server->Port(), GetParam()) {}

    void SetUp() override {
        ASSERT_EQ(library.IniciaComunicacao(), 1);
        ASSERT_EQ(library.SelecionaProtocolo(GetParam()), 1);
    }

    void Serve() { server->Serve(1ms); }
    std::string Shown() const { return DisplaySnapshot(terminal->Display()); }
    bool ServeUntilShown(const std::string& snapshot) {
        return Eventually([&] {
            Serve();
            return Shown() == snapshot;
        });
    }

    NoMessageBoxes noMessageBoxes;
    std::unique_ptr<SimulatedTerminal> terminal;
    std::unique_ptr<TerminalServer> server;
    SettingsFile settings;
    VendorLibrary library;
    DisplayWriter writer{library};
};

std::string FramingName(const ::testing::TestParamInfo<int>& info) {
    return info.param == 0 ? "StxEtx" : "Escape";
}

INSTANTIATE_TEST_SUITE_P(BothFramings, LinkTest, ::testing::Values(0, 1), FramingName);

struct LayoutCase {
    std::string text;
    std::string shown;
    int cursorLine;
    int cursorColumn;
};

const LayoutCase kLayouts[] = {
    {"Comanda:", "DISPLAY Comanda:|||", 1, 9},
    {"Comanda 12:7891000100103", "DISPLAY Comanda 12:789100010|0103||", 2, 5},
    {"000-A COMANDA 5 FOI CRIADA!  ", "DISPLAY 000-A COMANDA 5 FOI|CRIADA!||", 2, 8},
    {"101-A COMANDA EST\xC1 BLOQUEADA!", "DISPLAY 101-A COMANDA EST\xC3\x81 B|LOQUEADA!||", 2, 10},
    {std::string(60, 'A') + "BCDEFGHIJKLMNOPQRSTUVWXYZ",
     "DISPLAY " + std::string(20, 'A') + "|" + std::string(20, 'A') + "|" + std::string(20, 'A') +
         "|BCDEFGHIJKLMNOPQRSTU",
     4, 21},
    {"   ", "DISPLAY |||", 1, 1},
};

TEST_P(LinkTest, ShowsWhatTheDisplayWriterWrites) {
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(c.text);
        writer.WriteDisplay(0, c.text);
        EXPECT_TRUE(Eventually([&] {
            Serve();
            const TerminalDisplay& display = terminal->Display();
            return Shown() == c.shown && display.CursorLine() == c.cursorLine &&
                   display.CursorColumn() == c.cursorColumn;
        })) << Shown();
    }
}

TEST_P(LinkTest, KeysArriveOnceEachInTheOrderPressed) {
    const std::vector<int> pressed = {'C', '5', 13, 'a', ',', '.', 27, 200, 65535};
    for (int code : pressed)
        terminal->PressKey(static_cast<uint16_t>(code));
    EXPECT_EQ(ReadKeys(library, pressed.size(), [this] { Serve(); }), pressed);
    EXPECT_EQ(library.LerBuffer(0), 0);
}

TEST_P(LinkTest, ReconnectsAfterTheTerminalRestarts) {
    writer.WriteDisplay(0, "Comanda:");
    ASSERT_TRUE(ServeUntilShown("DISPLAY Comanda:|||"));
    const int port = server->Port();

    server.reset();
    terminal = std::make_unique<SimulatedTerminal>(Framing(GetParam()));
    EXPECT_TRUE(Eventually([&] { return library.LerBuffer(0) == kNoConnection; }));
    EXPECT_EQ(library.LimpaDisplay(0), 0);

    server = std::make_unique<TerminalServer>(*terminal, "127.0.0.1", port);
    writer.ForgetLastDisplayText();
    writer.WriteDisplay(0, "Comanda:");
    EXPECT_TRUE(ServeUntilShown("DISPLAY Comanda:|||"));
    terminal->PressKey('B');
    EXPECT_EQ(ReadKeys(library, 1, [this] { Serve(); }), std::vector<int>{'B'});
}

// The simulator program in its scripted mode, driven through the library.
class SimulatorProcess {
public:
    SimulatorProcess(int port, int protocol, const std::string& script) {
        int input[2], output[2];
        if (pipe(input) != 0 || pipe(output) != 0)
            throw std::runtime_error("no pipes");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(input[0], STDIN_FILENO);
            dup2(output[1], STDOUT_FILENO);
            close(input[1]);
            close(output[0]);
            const std::string program = (ProgramFolder() / "terminal-simulator").string();
            const std::string listen = "127.0.0.1:" + std::to_string(port);
            const std::string framing = std::to_string(protocol);
            execl(program.c_str(), program.c_str(), "--listen", listen.c_str(), "--protocol", framing.c_str(),
                  "--headless", "--linger", "300", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(input[0]);
        close(output[1]);
        output_ = output[0];
        signal(SIGPIPE, SIG_IGN);
        if (write(input[1], script.data(), script.size()) != static_cast<ssize_t>(script.size()))
            throw std::runtime_error("script not written");
        close(input[1]);
    }

    // Everything printed, once the program has ended; its exit status.
    std::string Finish(int& status) {
        std::string printed;
        char buffer[4096];
        pollfd entry{output_, POLLIN, 0};
        while (poll(&entry, 1, static_cast<int>(std::chrono::milliseconds(kPatience).count())) > 0) {
            ssize_t got = read(output_, buffer, sizeof buffer);
            if (got <= 0)
                break;
            printed.append(buffer, static_cast<size_t>(got));
        }
        close(output_);
        kill(pid_, SIGTERM);
        waitpid(pid_, &status, 0);
        return printed;
    }

private:
    pid_t pid_;
    int output_;
};

class SimulatorProgramTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_EQ(library.IniciaComunicacao(), 1); }

    NoMessageBoxes noMessageBoxes;
    const int port = FreeLoopbackPort();
    SettingsFile settings{port, GetParam()};
    VendorLibrary library;
    DisplayWriter writer{library};
};

INSTANTIATE_TEST_SUITE_P(BothFramings, SimulatorProgramTest, ::testing::Values(0, 1), FramingName);

// Keys typed before the library connects wait in the terminal; the output
// is exactly one line per display change; the program ends by itself.
TEST_P(SimulatorProgramTest, ScriptedModeKeepsItsContract) {
    SimulatorProcess simulator(port, GetParam(), "C5<13>\n<wait 50>a , .<200>\n");

    EXPECT_EQ(ReadKeys(library, 7, [] {}), (std::vector<int>{'C', '5', 13, 'a', ',', '.', 200}));
    writer.WriteDisplay(0, "Comanda 5:\xC7");
    writer.WriteDisplay(0, "");

    int status = -1;
    EXPECT_EQ(simulator.Finish(status), "DISPLAY Comanda 5:\xC3\x87|||\nDISPLAY |||\n");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(LinkWithoutTerminal, UnreachableTerminalFailsAtOnce) {
    NoMessageBoxes noMessageBoxes;
    SettingsFile settings(FreeLoopbackPort(), 0);
    VendorLibrary library;
    ASSERT_EQ(library.IniciaComunicacao(), 1);
    const auto start = Clock::now();
    for (unsigned char terminal : {0, 3, 7}) {
        SCOPED_TRACE(static_cast<int>(terminal));
        EXPECT_EQ(library.LimpaDisplay(terminal), 0);
        EXPECT_EQ(library.PosicionaCursor(terminal, 1, 1), 0);
        EXPECT_EQ(library.EscreveDisplay(terminal, "Comanda:"), 0);
        EXPECT_EQ(library.LerBuffer(terminal), kNoConnection);
    }
    EXPECT_LT(Clock::now() - start, kPatience);
}

TEST(LinkWithoutTerminal, RefusesWhatItCannotHonour) {
    SettingsFile settings(FreeLoopbackPort(), 0);
    VendorLibrary library;
    EXPECT_EQ(library.SelecionaProtocolo(-1), 0);
    EXPECT_EQ(library.SelecionaProtocolo(2), 0);
    EXPECT_EQ(library.PosicionaCursor(0, 0, 1), 0);
    EXPECT_EQ(library.PosicionaCursor(0, 5, 1), 0);
    EXPECT_EQ(library.PosicionaCursor(0, 1, 0), 0);
    EXPECT_EQ(library.EscreveDisplay(0, nullptr), 0);
    setenv("BEMASB32_INI", "/nonexistent/BemaSB32.ini", 1);
    EXPECT_EQ(library.IniciaComunicacao(), 0);
}

// A peer on the terminal's port that the test drives byte by byte.
class RawPeer {
public:
    RawPeer() {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 1);
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~RawPeer() {
        Hang();
        close(listener_);
    }
    int Port() const { return port_; }
    void Accept() { host_ = accept(listener_, nullptr, nullptr); }
    void Send(const std::string& bytes) { ASSERT_EQ(send(host_, bytes.data(), bytes.size(), 0), ssize_t(bytes.size())); }
    void Hang() {
        if (host_ >= 0)
            close(host_);
        host_ = -1;
    }

private:
    int listener_;
    int host_ = -1;
    int port_;
};

TEST(LinkWithMisbehavingTerminal, HalfCodesWaitAndGarbageNeverHangs) {
    NoMessageBoxes noMessageBoxes;
    auto peer = std::make_unique<RawPeer>();
    SettingsFile settings(peer->Port(), 0);
    VendorLibrary library;
    ASSERT_EQ(library.IniciaComunicacao(), 1);
    ASSERT_EQ(library.LimpaDisplay(0), 1);
    peer->Accept();

    peer->Send(std::string(1, '\0'));
    EXPECT_EQ(library.LerBuffer(0), 0);
    peer->Send("A");
    EXPECT_TRUE(Eventually([&] { return library.LerBuffer(0) == 'A'; }));

    std::string garbage;
    for (int i = 0; i < 1001; ++i)
        garbage += static_cast<char>(i * 37 % 256);
    peer->Send(garbage);
    peer.reset();
    int codes = 0;
    EXPECT_TRUE(Eventually([&] {
        int code = library.LerBuffer(0);
        codes += code != 0 && code != kNoConnection;
        return code == kNoConnection;
    }));
    EXPECT_EQ(codes, 500);
}

TEST(LinkWithMisbehavingTerminal, TerminalThatStopsReadingFailsTheWrite) {
    NoMessageBoxes noMessageBoxes;
    RawPeer peer;
    SettingsFile settings(peer.Port(), 1);
    VendorLibrary library;
    ASSERT_EQ(library.IniciaComunicacao(), 1);
    ASSERT_EQ(library.LimpaDisplay(0), 1);
    peer.Accept();
    const std::string line4(1 << 20, 'X');
    EXPECT_TRUE(Eventually([&] { return library.EscreveDisplay(0, line4.c_str()) == 0; }));
}

TEST(VendorLibraryTest, MissingLibraryOrFunctionStopsWithAClearMessage) {
    struct LoadCase {
        const char* fileName;
        const char* named;
    };
    const LoadCase cases[] = {
        {"libbemasb32-ausente.so", "libbemasb32-ausente.so"},
        {"libm.so.6", "Bematech_FIT_IniciaComunicacao"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.fileName);
        try {
            VendorLibrary library(c.fileName);
            ADD_FAILURE() << "loaded";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
    }
}

} // namespace
