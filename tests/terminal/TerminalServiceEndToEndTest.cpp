// The whole road of one command: keys typed on the simulated terminal reach
// the program through libbemasb32.so, the polling loop hands the command line
// to the interpreter on a real shop database, and the reply and the new
// prompt come back to the terminal's display.
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

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string FileContent(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// True when the lines appear in the text in this order (others may come
// between them: the simulator prints every intermediate display too).
bool ShowsInOrder(const std::string& text, const std::vector<std::string>& lines) {
    size_t from = 0;
    for (const auto& line : lines) {
        from = text.find(line + "\n", from);
        if (from == std::string::npos)
            return false;
        from += line.size();
    }
    return true;
}

// The simulator in scripted mode, keys from a file, display lines to a file.
// It ends by itself once the display has stayed unchanged for `lingerMs`.
class ScriptedTerminal {
public:
    ScriptedTerminal(const fs::path& folder, int port, const std::string& keys, int lingerMs)
        : output_(folder / "display.txt") {
        const fs::path script = folder / "keys.txt";
        std::ofstream(script) << keys;
        const std::string program = (fs::read_symlink("/proc/self/exe").parent_path() / "terminal-simulator").string();
        const std::string listen = "127.0.0.1:" + std::to_string(port);
        const std::string linger = std::to_string(lingerMs);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDIN_FILENO, script.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, output_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const char* argv[] = {program.c_str(), "--listen", listen.c_str(), "--headless", "--linger", linger.c_str(),
                              nullptr};
        if (posix_spawn(&pid_, program.c_str(), &files, nullptr, const_cast<char**>(argv), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&files);
    }
    ~ScriptedTerminal() {
        if (pid_ > 0)
            waitpid(pid_, nullptr, 0);
    }

    bool Running() const { return pid_ > 0; }

    // Waits for the simulator to end; what it printed.
    std::string Shown() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        return FileContent(output_);
    }

private:
    fs::path output_;
    pid_t pid_ = -1;
};

class TerminalServiceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        store.SeedBasicShop();
    }
    void TearDown() override {
        unsetenv("BEMASB32_INI");
        fs::remove_all(folder);
    }

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

    const fs::path folder = fs::temp_directory_path() / ("quorvel-e2e-" + std::to_string(getpid()));
    StoreTestDatabase store;
    DialogRecorder boxes;
};

TEST_F(TerminalServiceEndToEnd, TypingC5AndEnterOpensTabFiveAndShowsTheReply) {
    const int port = FreeLoopbackPort();
    WriteVendorSettings(port);
    // Longer than the 3000 ms the reply stays, so the new prompt is seen.
    ScriptedTerminal terminal(folder, port, "C5<13>\n", 6000);
    ASSERT_TRUE(terminal.Running());

    TDM dm(store.ConnectionString(), store.User(), store.Password());
    VendorLibrary library;
    ThreadSleeper sleeper;
    FakeServicePanel panel;
    TerminalService service(library, sleeper, panel);
    service.SetInterpreter(&dm);

    RunGuarded([&] { service.Start(); });
    ASSERT_TRUE(panel.timerActive);
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (service.LastDisplayText() != "Comanda 5:" && panel.timerActive && Clock::now() < deadline)
        RunGuarded([&] { service.Tick(); });

    EXPECT_EQ(panel.status, "Comando: C5 / Retorno:000-A COMANDA 5 FOI CRIADA!");
    EXPECT_EQ(store.Value("SELECT COUNT(*) FROM COMANDAS WHERE COM_NUMERO = 5").AsInteger(), 1);
    const std::string shown = terminal.Shown();
    EXPECT_TRUE(ShowsInOrder(shown, {"DISPLAY Comanda:|||", "DISPLAY Comanda:C5|||",
                                     "DISPLAY 000-A COMANDA 5 FOI|CRIADA!||", "DISPLAY Comanda 5:|||"}))
        << shown;
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front();
}

}  // namespace
