// A shop database in a folder named "Lojão", reached through the server with
// a login whose password has an accent: from the settings file (Windows-1252),
// from the connection dialog, from quorvel-cmd (UTF-8 arguments) and from the
// service without windows, in a UTF-8 locale or in the plain C locale alike.
#include "ChildProcess.h"
#include "ConnectionFixture.h"
#include "QZ_DBIBX_CONNECT.h"
#include "TemporaryFolder.h"
#include "WaitUntil.h"
#include "Windows1252.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kUser = "QUORVEL_ACENTO";
constexpr const char* kPassword = "senhão";

// Moves a database file into a folder "Lojão" beside it; returns its new path.
std::string MoveIntoAccentedFolder(const fs::path& file) {
    const fs::path folder = file.parent_path() / "Lojão";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);  // the server writes there too
    const fs::path moved = folder / file.filename();
    fs::rename(file, moved);
    return moved.string();
}

class AccentedConnectionTest : public ConnectionFixture {
protected:
    static void SetUpTestSuite() {
        // The client tools that build the store take the accented password
        // only in a UTF-8 locale.
        setenv("LC_ALL", "C.UTF-8", 1);
        accented = std::make_unique<StoreTestDatabase>("127.0.0.1", kUser, kPassword);
        accented->SeedBasicShop();
        const std::string& name = accented->ConnectionString();
        accentedPath = MoveIntoAccentedFolder(name.substr(name.find(':') + 1));
    }
    static void TearDownTestSuite() { accented.reset(); }

    // Section "IBCONFIG" naming that database and login, as a settings file
    // holds them: Windows-1252, the credentials scrambled.
    static std::string AccentedSettings() {
        return "[IBCONFIG]\nIP=127.0.0.1\nLOCAL=" + Utf8ToWindows1252(accentedPath).Bytes() +
               "\nUSUARIO=" + Scramble(kUser, kCredentialKey) + "\nSENHA=" + Scramble("senh\xE3o", kCredentialKey) +
               "\nUSACONFIG=1\n";
    }

    static inline std::unique_ptr<StoreTestDatabase> accented;
    static inline std::string accentedPath;
};

// Waits until the file holds the text; false when it does not within the time.
bool WaitForText(const std::string& file, const std::string& text, std::chrono::seconds limit) {
    return WaitUntil([&] { return FileText(file).find(text) != std::string::npos; }, limit);
}

TEST_F(AccentedConnectionTest, TheSettingsFileConnectsSilently) {
    program.Write("Quorvel.ini", AccentedSettings());
    OperatorScript script;
    EXPECT_TRUE(StartupConnect(false, {}));
    EXPECT_EQ(script.showings, 0);
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front();
    EXPECT_TRUE(database.IsOpen());
    EXPECT_EQ(database.DatabaseName, "127.0.0.1:" + accentedPath);
}

TEST_F(AccentedConnectionTest, TheDialogTestsSavesAndConnects) {
    program.Write("Quorvel.ini", "");
    OperatorScript script({[](TFrmIBXConnect& dialog) {
        const DialogControls ui(dialog);
        ui.EdtIP->setText("127.0.0.1");
        ui.EdtLocal->setText(QString::fromStdString(accentedPath));
        ui.CkConfig->setChecked(true);
        ui.EdtUsuario->setText(kUser);
        ui.EdtSenha->setText(QString::fromUtf8(kPassword));
        QTest::keyClick(ui.EdtLocal, Qt::Key_F2);
        QTest::keyClick(ui.EdtLocal, Qt::Key_F3);
    }});
    EXPECT_TRUE(StartupConnect(false, {}));
    EXPECT_EQ(script.showings, 1);
    EXPECT_EQ(boxes.boxes, (Lines{"Conexão / Conexão realizada com sucesso!"}));
    EXPECT_TRUE(database.IsOpen());
    const Lines saved = program.Lines("Quorvel.ini");
    ASSERT_EQ(saved.size(), 6u);
    EXPECT_EQ(saved[2], "LOCAL=" + Utf8ToWindows1252(accentedPath).Bytes());
    EXPECT_EQ(Unscramble(saved[4].substr(std::string("SENHA=").size()), kCredentialKey), "senh\xE3o");
}

TEST_F(AccentedConnectionTest, QuorvelCmdTakesItsArgumentsInAnyLocale) {
    const StoreTestDatabase embedded;
    embedded.SeedBasicShop();
    const TemporaryFolder work("quorvel-accent");
    const std::string embeddedPath = MoveIntoAccentedFolder(embedded.ConnectionString());
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"server", {"--user", kUser, "--password", kPassword, "127.0.0.1:" + accentedPath}},
        {"embedded", {embeddedPath}},
    };
    for (const char* locale : {"C", "C.UTF-8"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " in " + locale);
            setenv("LC_ALL", locale, 1);
            std::ofstream(work.PathOf("in.txt")) << "C12\n";
            ChildProcess console(QUORVEL_CMD, c.arguments, work.PathOf("out.txt"), work.PathOf("err.txt"),
                                 work.PathOf("in.txt"));
            EXPECT_EQ(console.Wait(std::chrono::seconds(60)), 0);
            const std::string reply = FileText(work.PathOf("out.txt"));
            EXPECT_EQ(reply.rfind("000-A COMANDA 12 FOI ", 0), 0u) << reply << FileText(work.PathOf("err.txt"));
        }
    }
    setenv("LC_ALL", "C.UTF-8", 1);
}

// The program without windows has no Qt application to set its locale: in
// the C locale it connects from the settings file and serves a terminal.
TEST_F(AccentedConnectionTest, TheServiceConnectsFromTheSettingsFileInTheCLocale) {
    for (const char* file : {"Quorvel", "libbemasb32.so"})
        fs::copy_file(BuiltProgramsFolder() / file, program.PathOf(file));
    const std::string port = std::to_string(FreeLoopbackPort());
    program.Write("BemaSB32.ini", "[FIT]\nPROTOCOLO=0\n[Terminais]\nPorta=" + port + "\n0=127.0.0.1\n");
    program.Write("Quorvel.ini", AccentedSettings());
    const std::string keys = program.Write("terminal.keys", "");
    setenv("LC_ALL", "C", 1);
    ChildProcess terminal(BuiltProgramsFolder() / "terminal-simulator",
                          {"--listen", "127.0.0.1:" + port, "--headless", "--linger", "120000"},
                          program.PathOf("terminal.out"), program.PathOf("terminal.err"), keys);
    ChildProcess service(program.PathOf("Quorvel"), {"--headless"}, program.PathOf("service.out"),
                         program.PathOf("service.err"));
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_TRUE(WaitForText(program.PathOf("terminal.out"), "DISPLAY Comanda:", 60s))
        << FileText(program.PathOf("service.out")) << FileText(program.PathOf("service.err"));
    service.Signal(SIGTERM);
    EXPECT_EQ(service.Wait(30s), 0);
}

}  // namespace
