// quorvel-cmd: runs terminal commands from standard input against a shop
// database, the way the terminal service does, for support and scripting.
#include "ConsoleOptions.h"
#include "ConsoleSession.h"
#include "DataModulo.h"
#include "QuorvelVersion.h"

#include <exception>
#include <iostream>
#include <memory>

int main(int argc, char* argv[]) {
    std::string error;
    const auto options = ParseConsoleOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::cerr << "quorvel-cmd: " << error << "\n\n" << ConsoleUsage();
        return 2;
    }
    if (options->help) {
        std::cout << ConsoleUsage();
        return 0;
    }
    if (options->version) {
        std::cout << "quorvel-cmd " << QUORVEL_VERSION << '\n';
        return 0;
    }

    std::unique_ptr<TDM> dataModule;
    try {
        dataModule = std::make_unique<TDM>(options->database, options->user, options->password);
    } catch (const std::exception& failure) {
        std::cerr << "quorvel-cmd: não foi possível conectar ao banco de dados " << options->database << ": "
                  << failure.what() << '\n';
        return 1;
    }
    RunConsoleSession(*dataModule, std::cin, std::cout, std::cerr, options->showPrompt);
    return 0;
}
