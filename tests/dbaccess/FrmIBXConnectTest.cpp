// The connection dialog: what it shows from the settings file, the advanced
// area, the test, ping and tool buttons and the keys.
#include "ConnectionFixture.h"
#include "IcmpPing.h"
#include "QZ_BUTTON.h"
#include "QZ_GRAPHICS.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class FrmIBXConnectTest : public ConnectionFixture {
protected:
    void SetUp() override {
        ConnectionFixture::SetUp();
        dialog.FDatabase = &database;
        dialog.FIniPath = program.PathOf("Quorvel.ini");
        dialog.FDBFileName = "DBEMPRESA.FDB";
    }

    // The window's top edge for a height: half the rest of the screen.
    int CentredTop(int height) const { return HalfRoundedToEven(dialog.screen()->geometry().height() - height); }

    // Settles on the collapsed area: window 376 high, PNAV 41, no
    // explanation, CkConfig and the boxes of the advanced area disabled.
    void ExpectCollapsed() {
        EXPECT_EQ(dialog.height(), 376);
        EXPECT_EQ(ui.PNAV->height(), 41);
        EXPECT_EQ(dialog.y(), CentredTop(376));
        EXPECT_FALSE(ui.LblAV->isVisibleTo(&dialog));
        EXPECT_FALSE(ui.CkConfig->isEnabled());
        EXPECT_FALSE(ui.EdtUsuario->isEnabled());
        EXPECT_FALSE(ui.EdtSenha->isEnabled());
    }

    TFrmIBXConnect dialog;
    const DialogControls ui{dialog};
};

TEST_F(FrmIBXConnectTest, ShowsTheDefaultsOfAnEmptySettingsFileCollapsed) {
    program.Write("Quorvel.ini", "");
    dialog.FormShow();
    EXPECT_EQ(ui.EdtIP->text(), "127.0.0.1");
    EXPECT_EQ(ui.EdtLocal->text().toStdString(), program.Folder() + "Dados/DBEMPRESA.FDB");
    EXPECT_EQ(ui.EdtUsuario->text(), "");
    EXPECT_EQ(ui.EdtSenha->text(), "");
    EXPECT_FALSE(ui.CkConfig->isChecked());
    EXPECT_FALSE(ui.LblUsuario->isEnabled());
    ExpectCollapsed();
    EXPECT_TRUE(program.Lines("Quorvel.ini").empty());
}

TEST_F(FrmIBXConnectTest, ShowsStoredCredentialsInClearAndTheAdvancedAreaToggles) {
    program.Write("Quorvel.ini",
                  "[IBCONFIG]\nIP=servidor\nLOCAL=C:\\Loja\\DB.FDB\nUSUARIO=" + Scramble("ADM", kCredentialKey) +
                      "\nSENHA=" + Scramble("s\xEAnha", kCredentialKey) + "\nUSACONFIG=1\n");
    dialog.FormShow();
    EXPECT_EQ(ui.EdtIP->text(), "servidor");
    EXPECT_EQ(ui.EdtLocal->text(), "C:\\Loja\\DB.FDB");
    EXPECT_EQ(ui.EdtUsuario->text(), "ADM");
    EXPECT_EQ(ui.EdtSenha->text(), QString::fromUtf8("sênha"));
    EXPECT_TRUE(ui.CkConfig->isChecked());
    EXPECT_TRUE(ui.LblUsuario->isEnabled());
    ExpectCollapsed();

    ui.SpeedButton1->click();
    EXPECT_EQ(dialog.height(), 480);
    EXPECT_EQ(ui.PNAV->height(), 153);
    EXPECT_EQ(dialog.y(), CentredTop(480));
    EXPECT_TRUE(ui.LblAV->isVisibleTo(&dialog));
    EXPECT_TRUE(ui.CkConfig->isEnabled());
    EXPECT_TRUE(ui.EdtUsuario->isEnabled());
    ui.CkConfig->click();
    EXPECT_FALSE(ui.EdtSenha->isEnabled());
    EXPECT_FALSE(ui.LblSenha->isEnabled());

    ui.SpeedButton1->click();
    ExpectCollapsed();
}

TEST_F(FrmIBXConnectTest, AnAddressCannotBeEditedForADatabaseFileOnThisComputer) {
    struct Case {
        const char* name;
        std::string local;
        bool ipEnabled;
    };
    const Case cases[] = {
        {"existing file", program.Write("Dados/DBEMPRESA.FDB", ""), false},
        {"folder", program.Folder() + "Dados", true},
        {"missing file", program.Folder() + "Dados/OUTRO.FDB", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        program.Write("Quorvel.ini", "[IBCONFIG]\nLOCAL=" + c.local + "\n");
        dialog.FormShow();
        EXPECT_EQ(ui.EdtIP->isEnabled(), c.ipEnabled);
        ui.EdtLocal->setText("/outro");
        EXPECT_EQ(ui.EdtIP->isEnabled(), c.ipEnabled);
    }
}

TEST_F(FrmIBXConnectTest, TestWithoutAdvancedSettingsUsesTheStockLogin) {
    program.Write("Quorvel.ini", TestLoginSettings(DeadAddress(), "0"));
    dialog.FormShow();
    ui.EdtUsuario->setText(QString::fromStdString(store->User()));
    ui.EdtSenha->setText(QString::fromStdString(store->Password()));
    ui.BtnTestar->Click();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].rfind("Erro ao conectar / ", 0), 0u) << boxes.boxes[0];
    EXPECT_EQ(database.Params, (Lines{"user_name=SYSDBA", "password=portaluce", "lc_ctype=WIN1252"}));
    EXPECT_FALSE(database.IsOpen());
}

TEST_F(FrmIBXConnectTest, ASuccessfulTestFillsABlankAddressSavesNothingAndClosesAfterTheBox) {
    dialog.FormShow();
    ui.EdtIP->setText("  ");
    ui.EdtLocal->setText(QString::fromStdString(StorePath()));
    ui.CkConfig->setChecked(true);
    ui.EdtUsuario->setText(QString::fromStdString(store->User()));
    ui.EdtSenha->setText(QString::fromStdString(store->Password()));
    bool openDuringBox = false;
    const DialogBoxHandler recorder =
        SetDialogBoxHandler([&](TDialogBoxKind kind, const std::string& title, const std::string& text) {
            openDuringBox = database.IsOpen();
            return recorder(kind, title, text);
        });
    ui.BtnTestar->Click();
    SetDialogBoxHandler(recorder);

    EXPECT_EQ(boxes.boxes, (Lines{"Conexão / Conexão realizada com sucesso!"}));
    EXPECT_TRUE(openDuringBox);
    EXPECT_FALSE(database.IsOpen());
    EXPECT_EQ(ui.EdtIP->text(), "127.0.0.1");
    EXPECT_EQ(database.DatabaseName, store->ConnectionString());
    EXPECT_FALSE(fs::exists(dialog.FIniPath));
}

// Whether this machine lets the tests open an ICMP socket at all.
bool CanPing() {
    for (int type : {SOCK_DGRAM, SOCK_RAW}) {
        const int fd = socket(AF_INET, type, IPPROTO_ICMP);
        if (fd >= 0) {
            close(fd);
            return true;
        }
    }
    return false;
}

TEST_F(FrmIBXConnectTest, PingReportsTheReplyTimeOrThatTheAddressIsUnreachable) {
    if (!CanPing())
        GTEST_SKIP() << "no ICMP socket for this user";
    dialog.PingTimeoutMs = 1000;
    for (const char* address : {"127.0.0.1", "", "   "}) {
        SCOPED_TRACE(address);
        boxes.boxes.clear();
        ui.EdtIP->setText(address);
        ui.BtnPing->Click();
        ASSERT_EQ(boxes.boxes.size(), 1u);
        const std::string& box = boxes.boxes[0];
        if (*address == '1') {
            const std::string start = "Sucesso / Ping realizado com sucesso!\rTempo de resposta: ";
            ASSERT_EQ(box.rfind(start, 0), 0u) << box;
            std::size_t digits = 0;
            EXPECT_GE(std::stoi(box.substr(start.size()), &digits), 0);
            EXPECT_EQ(box.substr(start.size() + digits), " ms");
        } else {
            EXPECT_EQ(box, "Erro / O IP " + std::string(address) + " parece não estar acessível!");
        }
    }
    EXPECT_GE(PingMilliseconds("127.0.0.2", 1000), 0);
}

TEST_F(FrmIBXConnectTest, TheDatabaseToolIsStartedFromTheProgramFolderOrReportedMissing) {
    dialog.setModal(true);
    dialog.show();
    QTest::keyClick(ui.EdtIP, Qt::Key_F4);
    EXPECT_EQ(boxes.boxes, (Lines{"Quorvel / O programa " + program.Folder() + "MervakTools não foi encontrado!"}));
    EXPECT_TRUE(dialog.isVisible());

    const std::string tool = program.Write("MervakTools", "#!/bin/sh\ntouch \"$0.started\"\n");
    fs::permissions(tool, fs::perms::owner_all);
    ui.BtnTools->Click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&tool] { return fs::exists(tool + ".started"); }, 30000));
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(FrmIBXConnectTest, OnlyConectarAcceptsAndFunctionKeysIgnoreModifiers) {
    program.Write("Quorvel.ini", "[IBCONFIG]\nIP=" + DeadAddress() + "\nLOCAL=/nonexistent/a.fdb\n");
    struct Case {
        const char* name;
        Step step;
        bool accepted;
        std::size_t boxes;
    };
    auto keys = [](std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> presses) {
        return [presses](TFrmIBXConnect& d) {
            for (const auto& [key, modifiers] : presses)
                if (d.isVisible())
                    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : DialogControls(d).EdtIP, key,
                                    modifiers);
            if (d.isVisible())
                DialogControls(d).BtnCancelar->Click();
        };
    };
    bool untouchedByEnter = false;
    const Case cases[] = {
        {"F3", keys({{Qt::Key_F3, Qt::NoModifier}}), true, 0},
        {"Shift+F3", keys({{Qt::Key_F3, Qt::ShiftModifier}}), true, 0},
        {"button", [](TFrmIBXConnect& d) { DialogControls(d).BtnConectar->Click(); }, true, 0},
        {"Ctrl+Esc", keys({{Qt::Key_Escape, Qt::ControlModifier}}), false, 0},
        {"Enter then Esc",
         [&](TFrmIBXConnect& d) {
             QTest::keyClick(DialogControls(d).EdtIP, Qt::Key_Return);
             untouchedByEnter = d.isVisible() && d.height() == 376;
             QTest::keyClick(DialogControls(d).EdtIP, Qt::Key_Escape);
         },
         false, 0},
        {"Alt+F2 then Esc", keys({{Qt::Key_F2, Qt::AltModifier}, {Qt::Key_Escape, Qt::NoModifier}}), false, 1},
        {"F5 on no address then Esc",
         [&](TFrmIBXConnect& d) {
             DialogControls(d).EdtIP->clear();
             keys({{Qt::Key_F5, Qt::NoModifier}, {Qt::Key_Escape, Qt::NoModifier}})(d);
         },
         false, 1},
        {"close box", [](TFrmIBXConnect& d) { d.close(); }, false, 0},
        {"cancel button", [](TFrmIBXConnect& d) { DialogControls(d).BtnCancelar->Click(); }, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.boxes.clear();
        OperatorScript script({c.step});
        EXPECT_EQ(dialog.ShowModal(), c.accepted);
        EXPECT_EQ(script.showings, 1);
        EXPECT_EQ(boxes.boxes.size(), c.boxes);
    }
    EXPECT_TRUE(untouchedByEnter);
}

TEST_F(FrmIBXConnectTest, TabsThroughBoxesThenButtons) {
    const std::vector<QWidget*> expected = {ui.EdtIP,    ui.EdtLocal,  ui.CkConfig,    ui.EdtUsuario,
                                            ui.EdtSenha, ui.BtnTestar, ui.BtnConectar, ui.BtnCancelar,
                                            ui.BtnTools, ui.BtnPing};
    std::vector<QWidget*> order;
    QWidget* widget = ui.EdtIP;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != ui.EdtIP);
    EXPECT_EQ(order, expected);
}

}  // namespace
