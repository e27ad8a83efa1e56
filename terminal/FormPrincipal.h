#pragma once
// The main window: the controls the operator uses to choose the protocol,
// port and terminal, start, stop and clear the terminal service, remap keys
// and switch the key log on. The polling loop, key translation and settings
// files live in TerminalService and ServiceSettings; the window forwards its
// events to them, each inside RunGuarded.
#include "KeyLog.h"
#include "ServicePanel.h"
#include "TerminalService.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <string>

class CommandInterpreter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class Sleeper;
class TerminalLibrary;

class TFrmPrincipal : public QWidget, private ServicePanel {
public:
    // programPath: the program file; its folder holds "BemaSB32.ini" and
    // "teclas.txt", and its name with ".ini" is the own settings file.
    TFrmPrincipal(TerminalLibrary& library, Sleeper& sleeper, const std::string& programPath,
                  QWidget* parent = nullptr);

    // The data module, once created (it is created after this window).
    void SetInterpreter(CommandInterpreter* interpreter) { service_.SetInterpreter(interpreter); }

    void BtnIniciarClick() { service_.Start(); }
    void BtnPararClick() { service_.Stop(); }
    void BtnLimparClick() { service_.ClearDisplay(); }
    void TMTimer() { service_.Tick(); }

    void LoadSettings();
    // Does nothing until the window has been shown.
    void SaveSettings();
    void QZButton2Click();  // add a terminal
    void QZButton1Click();  // remove the selected terminal
    void CbProtocoloChange() { SaveSettings(); }
    void EdtPortaChange() { SaveSettings(); }
    void EdtPortaExit() { SaveSettings(); }
    void EdtPortaKeyUp() { SaveSettings(); }
    void EdtAExit() { SaveSettings(); }

    // Asks for a new terminal's address; empty when cancelled. Tests put
    // their answer in its place.
    std::function<std::optional<QString>()> AskTerminalAddress;

    std::string VendorIniPath;
    bool WindowShown = false;

    QComboBox* CbProtocolo;
    QLineEdit* EdtPorta;
    QComboBox* CbTerminal;
    QPushButton* QZButton2;
    QPushButton* QZButton1;
    QLabel* PnComando;
    QCheckBox* CkLog;
    QPushButton* BtnIniciar;
    QPushButton* BtnParar;
    QPushButton* BtnLimpar;
    QTimer* TM;
    std::array<QLineEdit*, 26> EdtLetters;  // EdtA to EdtZ
    std::array<QLineEdit*, 8> EdtCodes;     // EdtC1 to EdtC8
    std::array<QComboBox*, 8> CbActions;    // CbC1 to CbC8

protected:
    void showEvent(QShowEvent* event) override;    // FormShow
    void closeEvent(QCloseEvent* event) override;  // FormClose
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateConfigurationTab();
    QWidget* CreateLetterTab();
    QWidget* CreateSpecialKeyTab();
    void ConnectHandlers();

    // ServicePanel
    int SelectedTerminal() const override;
    int SelectedProtocol() const override;
    void ShowStatus(const std::string& text) override;
    void SetTimerActive(bool active) override;
    void WriteKeyLog(const std::string& entry) override;
    std::string LetterMapping(char letter) const override;
    std::string SpecialCode(int pair) const override;
    int SpecialAction(int pair) const override;

    std::string ownIniPath_;
    KeyLog keyLog_;
    TerminalService service_;
};
