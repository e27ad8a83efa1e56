#include "SimulatorOptions.h"

#include "TerminalServer.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

const char* const kSimulatorUsage =
    "usage: terminal-simulator --listen ADDRESS:PORT [--protocol 0|1] [--headless] [--linger MS]\n"
    "                          [--key NAME=CODE]...\n"
    "       terminal-simulator --help | --version\n"
    "  NAME is one of F1 F2 F3 F4 F5 FX DEL ESC; CODE is 0 to 65535\n";

namespace {

int Number(std::string_view option, std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < 0)
        throw std::invalid_argument("bad value for " + std::string(option) + ": " + std::string(text));
    return value;
}

}  // namespace

SimulatorOptions ParseSimulatorOptions(int argc, const char* const* argv) {
    SimulatorOptions options;
    bool listenGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h" || option == "--version") {
            SimulatorOptions answer;
            (option == "--version" ? answer.version : answer.help) = true;
            return answer;
        }
        if (option == "--headless") {
            options.headless = true;
            continue;
        }
        if (option != "--listen" && option != "--protocol" && option != "--linger" && option != "--key")
            throw std::invalid_argument("unknown option: " + std::string(option));
        if (i + 1 == argc)
            throw std::invalid_argument("missing value for " + std::string(option));
        const std::string value = argv[++i];
        if (option == "--listen") {
            if (!SplitListenAddress(value, options.address, options.port))
                throw std::invalid_argument("bad value for --listen: " + value);
            listenGiven = true;
        } else if (option == "--protocol") {
            int protocol = Number(option, value);
            if (protocol > 1)
                throw std::invalid_argument("bad value for --protocol: " + value);
            options.framing = static_cast<Framing>(protocol);
        } else if (option == "--linger") {
            options.linger = std::chrono::milliseconds(Number(option, value));
        } else if (!options.keyboard.SetSpecialCode(value)) {
            throw std::invalid_argument("bad value for --key: " + value);
        }
    }
    if (!listenGiven)
        throw std::invalid_argument("--listen is required");
    return options;
}
