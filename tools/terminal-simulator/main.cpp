// The terminal simulator: a window for people, or the scripted mode for
// tests and demos (--headless).
#include "HeadlessSession.h"
#include "QuorvelVersion.h"
#include "SimulatorOptions.h"
#include "TerminalWindow.h"

#include <QApplication>
#include <iostream>
#include <stdexcept>
#include <unistd.h>

int main(int argc, char** argv) {
    SimulatorOptions options;
    try {
        options = ParseSimulatorOptions(argc, argv);
    } catch (const std::invalid_argument& error) {
        std::cerr << "terminal-simulator: " << error.what() << "\n" << kSimulatorUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kSimulatorUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "terminal-simulator " << QUORVEL_VERSION << "\n";
        return 0;
    }
    try {
        SimulatedTerminal terminal(options.framing);
        TerminalServer server(terminal, options.address, options.port);
        if (options.headless)
            return RunHeadless(terminal, server, STDIN_FILENO, std::cout, std::cerr, options.linger);
        QApplication application(argc, argv);
        TerminalWindow window(terminal, server, options.keyboard,
                              QString::fromStdString(options.address + ":" + std::to_string(server.Port())));
        window.show();
        return application.exec();
    } catch (const std::runtime_error& error) {
        std::cerr << "terminal-simulator: " << error.what() << "\n";
        return 1;
    }
}
