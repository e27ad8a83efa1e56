#pragma once
// The main window: a title panel, four tabs (configuration, shortcut-key
// help, letter keys, special keys) and a bar with the buttons that clear
// the display, start and stop the terminal and close the program. The
// polling loop, key translation and settings files live in TerminalService
// and ServiceSettings; the window forwards its events to them, each inside
// RunGuarded. Esc, F2 and F3 click "FECHAR ESC", "INICIAR F2" and
// "PARAR F3" wherever the focus is, and then reach the focused control.
#include "FormKeyPreview.h"
#include "KeyLog.h"
#include "QZ_THEME.h"
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
class QTabWidget;
class QTimer;
class Sleeper;
class TQZButton;
class TQZEdit;
class TQZPanel;
class TerminalLibrary;

class TFrmPrincipal : public QWidget, private ServicePanel {
public:
    // programPath: the program file; its folder holds "BemaSB32.ini" and
    // "teclas.txt", and its name with ".ini" is the own settings file.
    // Creating the window loads the settings (FormCreate); it needs nothing
    // from the data module, which is created afterwards.
    TFrmPrincipal(TerminalLibrary& library, Sleeper& sleeper, const std::string& programPath,
                  QWidget* parent = nullptr);

    // The data module, once created (it is created after this window).
    void SetInterpreter(CommandInterpreter* interpreter) { service_.SetInterpreter(interpreter); }
    // The data module's theme Tema, once created: the title panel and the
    // buttons paint with it from then on (until then with a theme of the
    // window's own in its initial colours). Not owned; it must outlive the
    // window or be replaced by another call.
    void UseTheme(TQZTheme& theme);

    void BtnIniciarClick() { service_.Start(); }
    // Selects entry `position` of the terminal list and clicks "INICIAR F2",
    // as the operator would (the program's "--terminal N").
    void StartTerminal(int position);
    void BtnPararClick() { service_.Stop(); }
    void BtnLimparClick() { service_.ClearDisplay(); }
    void BtnFecharClick() { close(); }
    void TMTimer() { service_.Tick(); }

    void LoadSettings();
    // Does nothing until the window has been shown.
    void SaveSettings();
    void QZButton2Click();  // add a terminal
    void QZButton1Click();  // remove the selected terminal
    void CbProtocoloChange() { SaveSettings(); }
    void EdtPortaChange() { SavePortText(); }
    void EdtPortaExit() { SaveSettings(); }
    void EdtPortaKeyUp() { SavePortText(); }
    void EdtAExit() { SaveSettings(); }

    // Asks for a new terminal's address; empty when cancelled. Tests put
    // their answer in its place.
    std::function<std::optional<QString>()> AskTerminalAddress;

    std::string VendorIniPath;
    bool WindowShown = false;

    // True while the terminal is polled (between "INICIAR F2" and "PARAR F3").
    bool TerminalRunning() const;

protected:
    void showEvent(QShowEvent* event) override;    // FormShow
    void closeEvent(QCloseEvent* event) override;  // FormClose
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls; each has its name as objectName.
    TQZPanel* QZPanel1;
    QTabWidget* PC;
    QComboBox* CbProtocolo;
    TQZEdit* EdtPorta;
    QComboBox* CbTerminal;
    TQZButton* QZButton2;
    TQZButton* QZButton1;
    QLabel* PnComando;
    QCheckBox* CkLog;
    TQZButton* BtnLimpar;
    TQZButton* BtnIniciar;
    TQZButton* BtnParar;
    TQZButton* BtnFechar;
    QTimer* TM;
    std::array<QLineEdit*, 26> EdtLetters;  // EdtA to EdtZ
    std::array<QLineEdit*, 8> EdtCodes;     // EdtC1 to EdtC8
    std::array<QComboBox*, 8> CbActions;    // CbC1 to CbC8

    void CreateTitlePanel();
    void CreatePages();
    QWidget* CreateConfigurationTab();
    QWidget* CreateLetterTab();
    QWidget* CreateSpecialKeyTab();
    void CreateButtonBar();
    void ConnectHandlers();
    void FormCreate();
    void FormKeyDown(int key);
    // The port box's text becomes its value as it stands (not reformatted),
    // so the port saved is always the one the box shows; then saves.
    void SavePortText();

    // ServicePanel
    int SelectedTerminal() const override;
    int SelectedProtocol() const override;
    void ShowStatus(const std::string& text) override;
    void SetTimerActive(bool active) override;
    void WriteKeyLog(const Windows1252Text& entry) override;
    // In the status panel and as a line on standard error, which outlasts the
    // next command's status.
    void ReportOutcome(const std::string& line) override;
    Windows1252Text LetterMapping(char letter) const override;
    Windows1252Text SpecialCode(int pair) const override;
    int SpecialAction(int pair) const override;

    std::string ownIniPath_;
    KeyLog keyLog_;
    TerminalService service_;
    TQZTheme initialTheme_;
    FormKeyPreview keyPreview_;
};
