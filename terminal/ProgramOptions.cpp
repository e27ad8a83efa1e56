#include "ProgramOptions.h"

#include "QZ_DBIBX_SETTINGS.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kUsage = "uso: Quorvel [CFG=ARQUIVO] --headless [--terminal N]... [--key-log]";

int TerminalPosition(const std::string& text) {
    const bool digits = !text.empty() && text.size() <= 3 &&
                        std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
    if (!digits)
        throw UsageError("--terminal espera a posição de um terminal da lista, não \"" + text + "\"");
    return std::stoi(text);
}

}  // namespace

bool WantsHeadless(const std::vector<std::string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), "--headless") != arguments.end();
}

HeadlessOptions ParseHeadlessOptions(const std::vector<std::string>& arguments) {
    HeadlessOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (i == 0 && IsSettingsSwitch(argument))
            continue;
        if (argument == "--headless")
            continue;
        if (argument == "--key-log") {
            options.keyLog = true;
        } else if (argument == "--terminal") {
            if (i + 1 == arguments.size())
                throw UsageError("--terminal espera a posição de um terminal da lista");
            options.terminals.push_back(TerminalPosition(arguments[++i]));
        } else {
            throw UsageError("argumento desconhecido \"" + argument + "\"; " + kUsage);
        }
    }
    return options;
}

std::optional<int> RequestedWindowTerminal(const std::vector<std::string>& arguments) {
    const auto option = std::find(arguments.begin(), arguments.end(), "--terminal");
    if (option == arguments.end() || option + 1 == arguments.end())
        return std::nullopt;
    return TerminalPosition(*(option + 1));
}
