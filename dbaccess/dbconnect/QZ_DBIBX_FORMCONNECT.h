#pragma once
// TFrmIBXConnect: the connection dialog. The operator says where the shop
// database is (server address and path) and, in the advanced area, with
// which user and password to connect; the dialog can test a connection,
// ping the server and start the maker's database tool. It never saves:
// accepting it ("Conectar F3") hands the boxes back to StartupConnect.
#include "QZ_THEME.h"

#include <QDialog>

#include <string>

struct ConnectionSettings;
class Database;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TQZButton;
class TQZPanel;

class TFrmIBXConnect : public QDialog {
    Q_OBJECT
public:
    explicit TFrmIBXConnect(QWidget* parent = nullptr);

    // Set before each showing: the connection the test button opens, the
    // settings file read when shown, and the bare database file name of the
    // default path.
    Database* FDatabase = nullptr;
    std::string FIniPath;
    std::string FDBFileName;
    // How long the ping button waits for the reply.
    int PingTimeoutMs = 5000;

    // FormShow, then the window modally. True when it was closed through
    // "Conectar F3"; any other way counts as cancelled. What FormShow
    // throws (a stored credential that does not unscramble) comes out here
    // and the window is not shown.
    bool ShowModal();

    // Fills the boxes from section "IBCONFIG" of FIniPath without writing
    // it, enables EdtIP only when EdtLocal names no file on this computer,
    // and collapses the advanced area.
    void FormShow();
    // Expands (window 480 high, PNAV 153) or collapses (376, 41) the
    // advanced area and puts the window's top edge half the remaining
    // screen height down, halves rounded to even.
    void ShowAdvanced(bool visible);
    // EdtIP + ":" + EdtLocal in UTF-8; a blank EdtIP becomes "127.0.0.1"
    // first.
    std::string ComposeDatabaseName();

    // What the boxes and CkConfig hold, in UTF-8: what an accepted dialog
    // hands back to be saved.
    ConnectionSettings EnteredSettings() const;

    TQZTheme Tema;

public slots:
    // The window's close box and Esc close it as cancelled.
    void reject() override;

protected:
    // Each showing starts in the first box that can be edited, so that Enter
    // there triggers no button.
    void showEvent(QShowEvent* event) override;
    // F2 to F5 and Esc act as clicks on their buttons whatever the modifier
    // keys; the boxes and buttons of this window leave these keys to it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls, each with its own name as objectName.
    QWidget* PnMestre;
    TQZPanel* QZPanel1;
    QGroupBox* GroupBox2;
    QLabel* Label3;
    QLineEdit* EdtIP;
    QLabel* Label5;
    QGroupBox* GroupBox3;
    QLabel* Label2;
    QLineEdit* EdtLocal;
    QLabel* Label4;
    QFrame* PNAV;
    QPushButton* SpeedButton1;
    QCheckBox* CkConfig;
    QLabel* LblUsuario;
    QLineEdit* EdtUsuario;
    QLabel* LblSenha;
    QLineEdit* EdtSenha;
    QLabel* LblAV;
    QWidget* Panel2;
    TQZButton* BtnTestar;
    TQZButton* BtnConectar;
    TQZButton* BtnTools;
    TQZButton* BtnPing;
    TQZButton* BtnCancelar;

    void CreateControls();
    void CreateServerGroup();
    void CreatePathGroup();
    void CreateAdvancedArea();
    void CreateButtons();
    void SetTabOrder();
    void NameControls();

    void FormKeyDown(int key);
    void BtnTestarClick();
    void BtnPingClick();
    void BtnToolsClick();
    void SpeedButton1Click();
    void CkConfigClick();
    // The user and password labels and boxes follow CkConfig.
    void EnableCredentials(bool enabled);
};
