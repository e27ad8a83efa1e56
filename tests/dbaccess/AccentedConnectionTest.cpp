// A shop database in a folder named "Lojão", reached through the server with
// a login whose password has an accent: from the settings file (Windows-1252),
// from the connection dialog and from quorvel-cmd (UTF-8 arguments), in a
// UTF-8 locale or in the plain C locale alike.
#include "ChildProcess.h"
#include "ConnectionFixture.h"
#include "QZ_DBIBX_CONNECT.h"
#include "TemporaryFolder.h"
#include "Windows1252.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

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

    static inline std::unique_ptr<StoreTestDatabase> accented;
    static inline std::string accentedPath;
};

TEST_F(AccentedConnectionTest, TheSettingsFileConnectsSilently) {
    program.Write("Quorvel.ini", "[IBCONFIG]\nIP=127.0.0.1\nLOCAL=" + Utf8ToWindows1252(accentedPath).Bytes() +
                                     "\nUSUARIO=" + Scramble(kUser, kCredentialKey) +
                                     "\nSENHA=" + Scramble("senh\xE3o", kCredentialKey) + "\nUSACONFIG=1\n");
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

}  // namespace
