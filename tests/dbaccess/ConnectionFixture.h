#pragma once
// What the connection tests share: a shop database on the server (one per
// test program, only read), a program folder of their own, the shared
// connection with the data module's parameter lines, and the message boxes
// recorded; the dialog's controls found by their names; and the operator's
// part at each showing of the dialog.
#include "Database.h"
#include "DialogRecorder.h"
#include "FreeLoopbackPort.h"
#include "QZ_BUTTON.h"
#include "QZ_CRIPTO.h"
#include "QZ_DBIBX.h"
#include "QZ_DBIBX_SETTINGS.h"
#include "QZ_DBIBX_FORMCONNECT.h"
#include "StoreTestDatabase.h"
#include "TemporaryProgramFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using Lines = std::vector<std::string>;
using Step = std::function<void(TFrmIBXConnect&)>;

// The control of the window with this objectName.
template <typename Control>
Control* FindControl(const QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    if (!control)
        throw std::logic_error(std::string("the window has no control ") + name);
    return control;
}

// The connection dialog's controls, found by their names.
struct DialogControls {
    explicit DialogControls(const TFrmIBXConnect& dialog)
        : EdtIP(FindControl<QLineEdit>(dialog, "EdtIP")), EdtLocal(FindControl<QLineEdit>(dialog, "EdtLocal")),
          EdtUsuario(FindControl<QLineEdit>(dialog, "EdtUsuario")),
          EdtSenha(FindControl<QLineEdit>(dialog, "EdtSenha")), CkConfig(FindControl<QCheckBox>(dialog, "CkConfig")),
          PNAV(FindControl<QFrame>(dialog, "PNAV")), SpeedButton1(FindControl<QPushButton>(dialog, "SpeedButton1")),
          LblUsuario(FindControl<QLabel>(dialog, "LblUsuario")), LblSenha(FindControl<QLabel>(dialog, "LblSenha")),
          LblAV(FindControl<QLabel>(dialog, "LblAV")), BtnTestar(FindControl<TQZButton>(dialog, "BtnTestar")),
          BtnConectar(FindControl<TQZButton>(dialog, "BtnConectar")),
          BtnTools(FindControl<TQZButton>(dialog, "BtnTools")), BtnPing(FindControl<TQZButton>(dialog, "BtnPing")),
          BtnCancelar(FindControl<TQZButton>(dialog, "BtnCancelar")) {}

    QLineEdit* EdtIP;
    QLineEdit* EdtLocal;
    QLineEdit* EdtUsuario;
    QLineEdit* EdtSenha;
    QCheckBox* CkConfig;
    QFrame* PNAV;
    QPushButton* SpeedButton1;
    QLabel* LblUsuario;
    QLabel* LblSenha;
    QLabel* LblAV;
    TQZButton* BtnTestar;
    TQZButton* BtnConectar;
    TQZButton* BtnTools;
    TQZButton* BtnPing;
    TQZButton* BtnCancelar;
};

// Acts the operator's part: at each showing of the connection dialog the
// next step runs once the dialog is up; a showing without a step cancels.
class OperatorScript : public QObject {
public:
    explicit OperatorScript(std::vector<Step> steps = {}) : steps_(std::move(steps)) { qApp->installEventFilter(this); }
    ~OperatorScript() override { qApp->removeEventFilter(this); }

    int showings = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<TFrmIBXConnect*>(watched);
        if (dialog && event->type() == QEvent::Show) {
            const std::size_t step = static_cast<std::size_t>(showings++);
            QMetaObject::invokeMethod(
                dialog,
                [this, dialog, step] {
                    if (step < steps_.size())
                        steps_[step](*dialog);
                    else
                        QTest::keyClick(DialogControls(*dialog).EdtIP, Qt::Key_Escape);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::vector<Step> steps_;
};

class ConnectionFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { store = std::make_unique<StoreTestDatabase>(StoreTestDatabase::Access::Server); }
    static void TearDownTestSuite() { store.reset(); }

    void SetUp() override {
        DatabaseFileName = "DBEMPRESA.FDB";
        SiblingIniPath.clear();
        database.Params = {"user_name=", "password=", "lc_ctype=WIN1252"};
        SharedDatabase = &database;
    }
    void TearDown() override {
        SharedDatabase = nullptr;
        SiblingIniPath.clear();
    }

    // The database file as the server sees it ("LOCAL").
    static std::string StorePath() {
        const std::string& name = store->ConnectionString();
        return name.substr(name.find(':') + 1);
    }
    // A server address on this machine where nobody answers: attempts there
    // fail at once and never reach the shared server's login.
    static std::string DeadAddress() { return "127.0.0.1/" + std::to_string(FreeLoopbackPort()); }
    // Section "IBCONFIG" naming the store at that address with the test
    // login stored scrambled.
    static std::string TestLoginSettings(const std::string& ip, const std::string& useConfig) {
        return "[IBCONFIG]\nIP=" + ip + "\nLOCAL=" + StorePath() +
               "\nUSUARIO=" + Scramble(store->User(), kCredentialKey) +
               "\nSENHA=" + Scramble(store->Password(), kCredentialKey) + "\nUSACONFIG=" + useConfig + "\n";
    }

    static inline std::unique_ptr<StoreTestDatabase> store;
    TemporaryProgramFolder program;
    Database database;
    DialogRecorder boxes;
};
