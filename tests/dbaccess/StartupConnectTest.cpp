// The start-up connection: the silent attempt from the settings file, the
// connection dialog shown again and again, and the end of the program after
// a cancel.
#include "ConnectionFixture.h"
#include "QZ_BUTTON.h"
#include "QZ_DBIBX_CONNECT.h"
#include "QZ_DBIBX_FORMCONNECT.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <vector>

namespace {

// Fills the boxes with the test login and the given database path and
// presses "Conectar F3".
Step ConnectTo(std::string local, std::string user, std::string password) {
    return [=](TFrmIBXConnect& dialog) {
        const DialogControls ui(dialog);
        ui.EdtIP->setText("127.0.0.1");
        ui.EdtLocal->setText(QString::fromStdString(local));
        ui.CkConfig->setChecked(true);
        ui.EdtUsuario->setText(QString::fromStdString(user));
        ui.EdtSenha->setText(QString::fromStdString(password));
        QTest::keyClick(ui.EdtLocal, Qt::Key_F3);
    };
}

using StartupConnectTest = ConnectionFixture;

TEST_F(StartupConnectTest, StoredSettingsConnectSilentlyAndABlankAddressIsRepaired) {
    program.Write("Quorvel.ini", TestLoginSettings("   ", "1"));
    OperatorScript script;
    EXPECT_TRUE(StartupConnect(false, {}));
    EXPECT_EQ(script.showings, 0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(database.IsOpen());
    EXPECT_EQ(database.DatabaseName, store->ConnectionString());
    EXPECT_EQ(program.Lines("Quorvel.ini").at(1), "IP=127.0.0.1");
    EXPECT_EQ(database.Params,
              (Lines{"user_name=" + store->User(), "password=" + store->Password(), "lc_ctype=WIN1252"}));
}

TEST_F(StartupConnectTest, CancelWithoutConnectionEndsTheProgram) {
    program.Write("Quorvel.ini", "");
    OperatorScript script;
    EXPECT_FALSE(StartupConnect(false, {}));
    EXPECT_TRUE(ProgramEndRequested());
    EXPECT_EQ(script.showings, 1);
    EXPECT_TRUE(boxes.boxes.empty());  // no silent attempt, so no error
    EXPECT_TRUE(program.Lines("Quorvel.ini").empty());
}

TEST_F(StartupConnectTest, ADatabaseBesideTheProgramIsTriedWithTheDefaultsWrittenFirst) {
    const std::string address = DeadAddress();
    const std::string beside = program.Folder() + "Dados/DBEMPRESA.FDB";
    program.Write("Dados/DBEMPRESA.FDB", "");
    program.Write("Quorvel.ini", "[IBCONFIG]\nIP=" + address + "\n");
    OperatorScript script;
    EXPECT_FALSE(StartupConnect(false, {}));
    EXPECT_EQ(program.Lines("Quorvel.ini"),
              (Lines{"[IBCONFIG]", "IP=" + address, "LOCAL=" + beside, "USUARIO=", "SENHA=", "USACONFIG=0"}));
    EXPECT_EQ(database.DatabaseName, address + ":" + beside);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].rfind("Erro ao conectar / ", 0), 0u) << boxes.boxes[0];
    EXPECT_EQ(script.showings, 1);
}

TEST_F(StartupConnectTest, UseConfigThatIsNotANumberMeansTheStockLogin) {
    struct Case {
        const char* useConfig;
        std::string ip;
        bool connected;
        std::string userLine;
        std::string passwordLine;
    };
    const Case cases[] = {
        {"yes", DeadAddress(), false, "user_name=SYSDBA", "password=portaluce"},
        {"1", "127.0.0.1", true, "user_name=" + store->User(), "password=" + store->Password()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.useConfig);
        program.Write("Quorvel.ini", TestLoginSettings(c.ip, c.useConfig));
        OperatorScript script;
        EXPECT_EQ(StartupConnect(false, {}), c.connected);
        EXPECT_EQ(database.Params.at(0), c.userLine);
        EXPECT_EQ(database.Params.at(1), c.passwordLine);
        EXPECT_EQ(script.showings, c.connected ? 0 : 1);
        database.Close();
    }
}

TEST_F(StartupConnectTest, TheSameDialogComesBackWithTheValuesLastSaved) {
    program.Write("korvi04.ini", "");
    SiblingIniPath = FindSiblingIni();
    const std::string user = store->User();
    const std::string password = store->Password();
    std::vector<std::string> shownPaths;
    std::vector<const TFrmIBXConnect*> dialogs;
    auto remember = [&](TFrmIBXConnect& dialog) {
        shownPaths.push_back(DialogControls(dialog).EdtLocal->text().toStdString());
        dialogs.push_back(&dialog);
    };
    auto attempt = [&](const std::string& local) {
        return [=](TFrmIBXConnect& dialog) {
            remember(dialog);
            ConnectTo(local, user, password)(dialog);
        };
    };
    OperatorScript script({attempt("/nonexistent/1.fdb"), attempt("/nonexistent/2.fdb"), attempt("/nonexistent/3.fdb"),
                           attempt(StorePath())});

    EXPECT_TRUE(StartupConnect(true, {}));
    EXPECT_FALSE(ProgramEndRequested());
    EXPECT_EQ(shownPaths, (Lines{program.Folder() + "Dados/DBEMPRESA.FDB", "/nonexistent/1.fdb", "/nonexistent/2.fdb",
                                 "/nonexistent/3.fdb"}));
    EXPECT_EQ(dialogs, std::vector<const TFrmIBXConnect*>(4, dialogs.front()));
    ASSERT_EQ(boxes.boxes.size(), 3u);
    for (const std::string& box : boxes.boxes)
        EXPECT_NE(box.find("/nonexistent/"), std::string::npos) << box;
    EXPECT_TRUE(database.IsOpen());

    const ConnectionSettings saved = ReadConnectionSettings(SiblingIniPath, DatabaseFileName);
    EXPECT_EQ(saved.Local, StorePath());
    EXPECT_EQ(saved.User, user);
    EXPECT_EQ(saved.Password, password);
    EXPECT_TRUE(saved.UseConfig);
    EXPECT_TRUE(program.Lines("Quorvel.ini").empty());
}

TEST_F(StartupConnectTest, AFirstArgumentCfgNamesTheSettingsFile) {
    program.Write("korvi01.ini", "[IBCONFIG]\nIP=127.0.0.1\nLOCAL=/nonexistent/sibling.fdb\n");
    SiblingIniPath = FindSiblingIni();
    const std::string chosen = program.Write("conf/a.ini", TestLoginSettings("127.0.0.1", "1"));
    OperatorScript script;
    EXPECT_TRUE(StartupConnect(false, {"cfg=" + chosen}));
    EXPECT_EQ(database.DatabaseName, store->ConnectionString());
}

}  // namespace
