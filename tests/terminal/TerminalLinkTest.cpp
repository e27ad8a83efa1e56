// The program's binding of libbemasb32.so driving terminals over loopback
// TCP: the simulator's terminal in this process, the simulator program in
// its scripted mode, and raw peers that misbehave.
#include "DialogRecorder.h"
#include "DisplayWriter.h"
#include "EventGuard.h"
#include "FakeInterpreter.h"
#include "FakeServicePanel.h"
#include "FreeLoopbackPort.h"
#include "IniFile.h"
#include "KeyCodeStream.h"
#include "QZ_DIALOG.h"
#include "RecordingSleeper.h"
#include "ServiceSettings.h"
#include "SimulatedTerminal.h"
#include "TerminalServer.h"
#include "TerminalService.h"
#include "VendorLibrary.h"
#include "WaitUntil.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <numeric>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Bound for waiting on something that should happen at once; only reached
// when it does not happen at all, so it is generous for a busy machine.
constexpr auto kPatience = 30s;

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

// A "BemaSB32.ini" for this test alone, named to the library by
// $BEMASB32_INI.
class SettingsFile {
public:
    explicit SettingsFile(const std::string& content) {
        std::ofstream(path_) << content;
        setenv("BEMASB32_INI", path_.c_str(), 1);
    }
    // Terminal 0 at the given port on loopback, terminal 3 at an address
    // that is not one.
    SettingsFile(int port, int protocol)
        : SettingsFile("[FIT]\r\nPROTOCOLO=" + std::to_string(protocol) + "\r\n[Terminais]\r\nPorta=" +
                       std::to_string(port) + "\r\n0=127.0.0.1\r\n3=terminal-sem-ip\r\n") {}
    ~SettingsFile() { unsetenv("BEMASB32_INI"); }
    const fs::path& Path() const { return path_; }

private:
    TemporaryFolder folder_{"terminal-link"};
    fs::path path_ = folder_.Path() / "BemaSB32.ini";
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

// The pause between two tries of a step that serves or reads the link: short,
// so the threads serving the other side get the processor.
constexpr auto kRetryPause = 100us;

// Reads key codes until the count is reached, skipping "nothing waits".
std::vector<int> ReadKeys(TerminalLibrary& library, size_t count, const std::function<void()>& serve) {
    std::vector<int> codes;
    WaitUntil(
        [&] {
            serve();
            int code = library.LerBuffer(0);
            if (code != 0 && code != kNoConnectionCode)
                codes.push_back(code);
            return codes.size() == count;
        },
        kPatience, kRetryPause);
    return codes;
}

class LinkTest : public ::testing::TestWithParam<int> {
protected:
    LinkTest()
        : terminal(std::make_unique<SimulatedTerminal>(Framing(GetParam()))),
          server(std::make_unique<TerminalServer>(*terminal, "127.0.0.1", 0)), settings(server->Port(), GetParam()) {}

    void SetUp() override {
        ASSERT_EQ(library.IniciaComunicacao(), 1);
        ASSERT_EQ(library.SelecionaProtocolo(GetParam()), 1);
    }

    void Serve() { server->Serve(1ms); }
    std::string Shown() const { return DisplaySnapshot(terminal->Display()); }
    bool ServeUntilShown(const std::string& snapshot) {
        return WaitUntil(
            [&] {
                Serve();
                return Shown() == snapshot;
            },
            kPatience, kRetryPause);
    }

    NoMessageBoxes noMessageBoxes;
    std::unique_ptr<SimulatedTerminal> terminal;
    std::unique_ptr<TerminalServer> server;
    SettingsFile settings;
    VendorLibrary library;
    DisplayWriter writer{library};
};

std::string FramingName(const ::testing::TestParamInfo<int>& info) { return info.param == 0 ? "StxEtx" : "Escape"; }

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
        EXPECT_TRUE(WaitUntil(
            [&] {
                Serve();
                const TerminalDisplay& display = terminal->Display();
                return Shown() == c.shown && display.CursorLine() == c.cursorLine &&
                       display.CursorColumn() == c.cursorColumn;
            },
            kPatience, kRetryPause))
            << Shown();
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
    EXPECT_TRUE(WaitUntil([&] { return library.LerBuffer(0) == kNoConnectionCode; }, kPatience, kRetryPause));
    EXPECT_EQ(library.LimpaDisplay(0), 0);

    server = std::make_unique<TerminalServer>(*terminal, "127.0.0.1", port);
    writer.ForgetLastDisplayText();
    writer.WriteDisplay(0, "Comanda:");
    EXPECT_TRUE(ServeUntilShown("DISPLAY Comanda:|||"));
    terminal->PressKey('B');
    EXPECT_EQ(ReadKeys(library, 1, [this] { Serve(); }), std::vector<int>{'B'});
}

// The pauses of the polling loop spent serving the simulated terminal.
class ServingSleeper : public Sleeper {
public:
    explicit ServingSleeper(std::function<void()> serve) : serve_(std::move(serve)) {}
    void Pause(int) override { serve_(); }

private:
    std::function<void()> serve_;
};

TEST_P(LinkTest, TheServiceShowsThePromptAgainWhenTheTerminalIsBack) {
    FakeServicePanel panel;
    panel.selectedProtocol = GetParam();
    FakeInterpreter interpreter;
    ServingSleeper sleeper([this] {
        if (server)
            Serve();
    });
    TerminalService service(library, sleeper, panel);
    service.SetInterpreter(&interpreter);
    RunGuarded([&] { service.Start(); });
    ASSERT_TRUE(ServeUntilShown("DISPLAY Comanda:|||"));
    const int port = server->Port();
    auto tickUntilShown = [&](const std::string& snapshot) {
        return WaitUntil(
            [&] {
                RunGuarded([&] { service.Tick(); });
                Serve();
                return Shown() == snapshot;
            },
            kPatience, kRetryPause);
    };

    // Switched off for some ticks, and restarted between two ticks.
    for (int ticksAway : {5, 0}) {
        SCOPED_TRACE(ticksAway);
        server.reset();
        terminal = std::make_unique<SimulatedTerminal>(Framing(GetParam()));
        for (int tick = 0; tick < ticksAway; ++tick)
            RunGuarded([&] { service.Tick(); });
        server = std::make_unique<TerminalServer>(*terminal, "127.0.0.1", port);
        EXPECT_TRUE(tickUntilShown("DISPLAY Comanda:|||")) << Shown();
        terminal->PressKey('C');
        EXPECT_TRUE(tickUntilShown("DISPLAY Comanda:C|||")) << Shown();
        terminal->PressKey(27);  // clears the line again
        EXPECT_TRUE(tickUntilShown("DISPLAY Comanda:|||")) << Shown();
    }
    EXPECT_TRUE(panel.timerActive);
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
            // Its linger outlasts the library's connecting and reading on a
            // busy machine, so the display written after the keys is seen.
            execl(program.c_str(), program.c_str(), "--listen", listen.c_str(), "--protocol", framing.c_str(),
                  "--headless", "--linger", "3000", static_cast<char*>(nullptr));
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
        EXPECT_EQ(library.LerBuffer(terminal), kNoConnectionCode);
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

TEST(LinkSettings, APortOutsideOneTo65535IsAFailedStartNeverAnotherPort) {
    DialogRecorder boxes;
    SimulatedTerminal terminal(Framing::StxEtx);
    TerminalServer server(terminal, "127.0.0.1", 0);
    const int port = server.Port();
    const std::string wrongPorts[] = {std::to_string(port + 65536), "\"" + std::to_string(port + 131072) + "\"", "0",
                                      "-1", "65536"};
    VendorLibrary library;
    for (const std::string& wrong : wrongPorts) {
        SCOPED_TRACE(wrong);
        SettingsFile settings("[Terminais]\r\nPorta=" + wrong + "\r\n0=127.0.0.1\r\n");
        EXPECT_EQ(library.IniciaComunicacao(), 0);
        EXPECT_EQ(library.LimpaDisplay(0), 0);
        EXPECT_EQ(library.LerBuffer(0), kNoConnectionCode);
        server.Serve(0ms);
        EXPECT_FALSE(server.HostConnected());

        FakeServicePanel panel;
        RecordingSleeper sleeper;
        TerminalService service(library, sleeper, panel);
        boxes.boxes.clear();
        RunGuarded([&] { service.Start(); });
        EXPECT_EQ(panel.status, "não foi possível estabelecer comunicação com o terminal!");
        EXPECT_FALSE(panel.timerActive);
        EXPECT_EQ(boxes.boxes,
                  std::vector<std::string>{"Erro / Não foi possível estabelecer comunicação com o terminal!"});
    }
}

TEST(LinkSettings, TwinKeysAndQuotedValuesReadAlikeByTheLibraryAndTheProgram) {
    NoMessageBoxes noMessageBoxes;
    SimulatedTerminal terminal(Framing::StxEtx);
    TerminalServer server(terminal, "127.0.0.1", 0);
    // Terminal 0 is named three times; a terminal listens only at the first,
    // quoted, address.
    SettingsFile settings("[Terminais]\r\nPorta=\"" + std::to_string(server.Port()) +
                          "\"\r\n0=\"127.0.0.1\"\r\n0=127.0.0.2\r\n00=127.0.0.3\r\n1='127.0.0.1'\r\n");

    const ServiceSettings program =
        LoadServiceSettings(IniFile(settings.Path().string()), IniFile(settings.Path().string() + ".own"));
    EXPECT_EQ(program.port, server.Port());
    EXPECT_EQ(program.terminals, (std::vector<std::string>{"0=127.0.0.1", "1=127.0.0.1"}));

    VendorLibrary library;
    ASSERT_EQ(library.IniciaComunicacao(), 1);
    for (unsigned char number : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(number));
        EXPECT_EQ(library.LimpaDisplay(number), 1);
        server.Serve(0ms);
        EXPECT_TRUE(server.HostConnected());
    }
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
    void Send(const std::string& bytes) {
        ASSERT_EQ(send(host_, bytes.data(), bytes.size(), 0), ssize_t(bytes.size()));
    }
    // Sends the key codes 1, 2, 3 and on (60000 is followed by 1) as fast as
    // the host lets it, until told to stop or `limit` bytes are sent; the
    // bytes sent.
    size_t Flood(const std::atomic<bool>& stop, size_t limit) {
        std::string cycle;
        for (uint16_t code = 1; code <= 60000; ++code)
            cycle += EncodeKeyCode(code);
        size_t sent = 0;
        while (!stop && sent < limit) {
            pollfd entry{host_, POLLOUT, 0};
            if (poll(&entry, 1, 10) <= 0)
                continue;
            const size_t at = sent % cycle.size();
            ssize_t now = send(host_, cycle.data() + at, cycle.size() - at, MSG_DONTWAIT | MSG_NOSIGNAL);
            if (now > 0)
                sent += static_cast<size_t>(now);
            else if (errno != EAGAIN && errno != EINTR)
                break;
        }
        return sent;
    }
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

// The library connected to a raw peer as terminal 0.
class LinkWithMisbehavingTerminal : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(library.IniciaComunicacao(), 1);
        ASSERT_EQ(library.LimpaDisplay(0), 1);
        peer->Accept();
    }

    NoMessageBoxes noMessageBoxes;
    std::unique_ptr<RawPeer> peer = std::make_unique<RawPeer>();
    SettingsFile settings{peer->Port(), 0};
    VendorLibrary library;
};

TEST_F(LinkWithMisbehavingTerminal, HalfCodesWaitAndGarbageNeverHangs) {
    peer->Send(std::string(1, '\0'));
    EXPECT_EQ(library.LerBuffer(0), 0);
    peer->Send("A");
    EXPECT_TRUE(WaitUntil([&] { return library.LerBuffer(0) == 'A'; }, kPatience, kRetryPause));

    std::string garbage;
    for (int i = 0; i < 1001; ++i)
        garbage += static_cast<char>(i * 37 % 256);
    peer->Send(garbage);
    peer.reset();
    int codes = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            int code = library.LerBuffer(0);
            codes += code != 0 && code != kNoConnectionCode;
            return code == kNoConnectionCode;
        },
        kPatience, kRetryPause));
    EXPECT_EQ(codes, 500);
}

TEST_F(LinkWithMisbehavingTerminal, AFloodOfKeysIsTakenAtTheReadersPace) {
    constexpr size_t kLimit = size_t{256} << 20;
    std::atomic<bool> stop = false;
    size_t sent = 0;
    std::thread flood([&] { sent = peer->Flood(stop, kLimit); });

    // Every call returns, with the next key: none dropped, none twice.
    const std::vector<int> codes = ReadKeys(library, 5000, [] {});
    stop = true;
    flood.join();
    std::vector<int> expected(5000);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(codes, expected);
    // The keys the library has not taken wait with the sender, held back by
    // TCP: a few network buffers' worth, not all the sender could send.
    EXPECT_LT(sent, kLimit / 4);
}

TEST_F(LinkWithMisbehavingTerminal, TerminalThatStopsReadingFailsTheWrite) {
    const std::string line4(1 << 20, 'X');
    EXPECT_TRUE(WaitUntil([&] { return library.EscreveDisplay(0, line4.c_str()) == 0; }, kPatience, kRetryPause));
}

// Several threads using the library at once, as a service that serves each
// terminal from a thread of its own does.
TEST(LinkFromSeveralThreads, EachThreadServesItsOwnTerminalWhileTheCommunicationRestarts) {
    NoMessageBoxes noMessageBoxes;
    struct Station {
        Station(const char* address, int port) : server(terminal, address, port) {}
        SimulatedTerminal terminal{Framing::StxEtx};
        TerminalServer server;
    };
    Station first("127.0.0.1", 0);
    Station second("127.0.0.2", first.server.Port());
    SettingsFile settings("[Terminais]\r\nPorta=" + std::to_string(first.server.Port()) +
                          "\r\n0=127.0.0.1\r\n1=127.0.0.2\r\n");
    VendorLibrary library;
    ASSERT_EQ(library.IniciaComunicacao(), 1);

    std::atomic<int> serving = 2;
    auto serve = [&](unsigned char number, Station& station) {
        for (int round = 1; round <= 40; ++round) {
            const std::string text = "T" + std::to_string(number) + "/" + std::to_string(round);
            EXPECT_EQ(library.LimpaDisplay(number), 1);
            EXPECT_EQ(library.EscreveDisplay(number, text.c_str()), 1);
            const int code = 1000 * (number + 1) + round;
            station.terminal.PressKey(static_cast<uint16_t>(code));
            std::vector<int> keys;
            EXPECT_TRUE(WaitUntil(
                [&] {
                    station.server.Serve(1ms);
                    if (int key = library.LerBuffer(number); key != 0 && key != kNoConnectionCode)
                        keys.push_back(key);
                    return !keys.empty() && DisplaySnapshot(station.terminal.Display()) == "DISPLAY " + text + "|||";
                },
                kPatience, kRetryPause));
            EXPECT_EQ(keys, std::vector<int>{code});
        }
        --serving;
    };
    std::thread one(serve, 0, std::ref(first));
    std::thread other(serve, 1, std::ref(second));
    // Settings read again meanwhile: the unchanged terminals keep their
    // connections and the keys on their way.
    EXPECT_TRUE(WaitUntil(
        [&] {
            EXPECT_EQ(library.IniciaComunicacao(), 1);
            return serving == 0;
        },
        kPatience, 1ms));
    one.join();
    other.join();
}

TEST(LinkFromSeveralThreads, TwoThreadsReadingOneTerminalGetEachKeyOnceInOrder) {
    NoMessageBoxes noMessageBoxes;
    SimulatedTerminal terminal(Framing::StxEtx);
    TerminalServer server(terminal, "127.0.0.1", 0);
    SettingsFile settings(server.Port(), 0);
    VendorLibrary library;
    ASSERT_EQ(library.IniciaComunicacao(), 1);
    constexpr int kKeys = 3000;
    for (int code = 1; code <= kKeys; ++code)
        terminal.PressKey(static_cast<uint16_t>(code));

    std::atomic<int> taken = 0;
    auto read = [&](std::vector<int>& codes) {
        WaitUntil(
            [&] {
                if (int code = library.LerBuffer(0); code != 0 && code != kNoConnectionCode) {
                    codes.push_back(code);
                    ++taken;
                }
                return taken == kKeys;
            },
            kPatience, kRetryPause);
    };
    std::vector<int> first, second;
    std::thread one(read, std::ref(first));
    std::thread other(read, std::ref(second));
    WaitUntil(
        [&] {
            server.Serve(1ms);
            return taken == kKeys;
        },
        kPatience, kRetryPause);
    one.join();
    other.join();

    EXPECT_TRUE(std::is_sorted(first.begin(), first.end()));
    EXPECT_TRUE(std::is_sorted(second.begin(), second.end()));
    std::vector<int> all = first;
    all.insert(all.end(), second.begin(), second.end());
    std::sort(all.begin(), all.end());
    std::vector<int> expected(kKeys);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(all, expected);
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

}  // namespace
