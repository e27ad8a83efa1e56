// Program start-up: the main window first, then the data module, then the
// event loop; or the service without windows (--headless); or the check of
// an installation (--check).
#include "ConfigurationCheck.h"
#include "DataModuleCreate.h"
#include "DataModulo.h"
#include "FormPrincipal.h"
#include "HeadlessService.h"
#include "ProgramFiles.h"
#include "ProgramOptions.h"
#include "QZ_DIALOG.h"
#include "QZ_THEME.h"
#include "Sleeper.h"
#include "VendorLibrary.h"

#include <QApplication>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && arguments[0] == "--version") {
        std::cout << "Quorvel " << QUORVEL_VERSION << std::endl;
        return 0;
    }
    if (WantsCheck(arguments))
        return RunConfigurationCheck(arguments, std::cout, std::cerr);
    if (WantsHeadless(arguments))
        return RunHeadlessService(arguments);
    std::optional<int> terminal;
    try {
        terminal = RequestedWindowTerminal(arguments);
    } catch (const UsageError& e) {
        std::cerr << e.what() << std::endl;
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
    if (!DataModuleCreate(DM, Tema, arguments))
        return 1;
    window.SetInterpreter(&DM);
    window.UseTheme(Tema);

    window.show();
    if (terminal)
        window.StartTerminal(*terminal);
    return application.exec();
}
