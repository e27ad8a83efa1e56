// Program start-up: the main window first, then the data module, then the
// event loop; or the service without windows (--headless); or the check of
// an installation (--check); or the state of the running service (--status).
#include "ConfigurationCheck.h"
#include "DataModuleCreate.h"
#include "DataModulo.h"
#include "DisplayPresence.h"
#include "EventGuard.h"
#include "FormPrincipal.h"
#include "HeadlessService.h"
#include "ProgramFiles.h"
#include "ProgramHelp.h"
#include "ProgramOptions.h"
#include "QZ_DIALOG.h"
#include "QZ_THEME.h"
#include "ServiceStateFile.h"
#include "ServiceStatusQuery.h"
#include "Sleeper.h"
#include "TerminationSignals.h"
#include "VendorLibrary.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

// SIGTERM or SIGINT ends the program as the operator's closing does: the
// terminal stopped when it runs, the settings saved by the window's close,
// and every event loop left, also that of a message box or of the
// connection dialog showing at that moment. From then on message boxes are
// lines on standard error, so nothing waits for an operator.
void EndOnRequest(TFrmPrincipal& window) {
    SetDialogBoxHandler([](TDialogBoxKind, const std::string& title, const std::string& text) {
        std::cerr << title << ": " << text << std::endl;
        return 2;
    });
    if (window.TerminalRunning())
        RunGuarded([&window] { window.BtnPararClick(); });
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto status = AnswerHelpOrVersion(arguments, std::cout))
        return *status;
    if (WantsCheck(arguments))
        return RunConfigurationCheck(arguments, std::cout, std::cerr);
    if (WantsStatus(arguments))
        return RunStatusQuery(arguments, ServiceStatePathOf(ProgramPath()), std::cout, std::cerr);
    if (WantsHeadless(arguments))
        return RunHeadlessService(arguments);
    std::optional<int> terminal;
    try {
        terminal = RequestedWindowTerminal(arguments);
    } catch (const UsageError& e) {
        std::cerr << e.what() << std::endl;
        return 2;
    }
    if (!DisplayNamed(std::getenv, arguments)) {
        std::cerr << kNoDisplayLine << std::endl;
        return 2;
    }

    QApplication application(argc, argv);
    std::optional<VendorLibrary> library;
    try {
        library.emplace();
    } catch (const std::exception& e) {
        ErrorBox("Erro", e.what());
        return 1;
    }
    ThreadSleeper sleeper;
    // The data module and its theme outlive the window that uses them; the
    // module is created (connected) only after the window.
    TDM DM;
    TQZTheme Tema;
    TFrmPrincipal window(*library, sleeper, ProgramPath());
    TerminationSignals termination([&window] { EndOnRequest(window); });
    const bool connected = DataModuleCreate(DM, Tema, arguments);
    // The database client put a handler of its own on both signals at its
    // first connection attempt (it passes them on to this one); this one
    // takes them back, so the client's own reaction never runs.
    termination.Install();
    if (termination.Requested())
        return 0;
    if (!connected)
        return 1;
    window.SetInterpreter(&DM);
    window.UseTheme(Tema);

    window.show();
    // Started from the event loop, so that an error box of the start, and a
    // signal that comes while it waits, are handled by the loop that the
    // end request leaves.
    if (terminal)
        QTimer::singleShot(0, &window, [&window, position = *terminal] { window.StartTerminal(position); });
    return application.exec();
}
