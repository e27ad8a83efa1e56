#include "HeadlessService.h"

#include "HeadlessOutput.h"
#include "HeadlessTerminal.h"
#include "IniFile.h"
#include "KeyLog.h"
#include "ProgramFiles.h"
#include "ProgramOptions.h"
#include "QZ_DBIBX.h"
#include "QZ_DIALOG.h"
#include "ServiceSettings.h"
#include "StopSignal.h"
#include "TerminalList.h"
#include "TerminalSettingsFile.h"
#include "VendorLibrary.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <pthread.h>

namespace {

namespace fs = std::filesystem;

// SIGINT and SIGTERM, blocked in every thread so the main thread alone
// takes them, with sigwait.
sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

// The positions to serve: the ones asked for, or the whole list.
std::vector<int> ServedPositions(const HeadlessOptions& options, const ServiceSettings& settings) {
    if (options.terminals.empty()) {
        std::vector<int> all(settings.terminals.size());
        for (size_t i = 0; i < all.size(); ++i)
            all[i] = static_cast<int>(i);
        if (all.empty())
            throw UsageError("nenhum terminal na lista de \"BemaSB32.ini\"");
        return all;
    }
    for (int position : options.terminals)
        if (position < 0 || position >= static_cast<int>(settings.terminals.size()))
            throw UsageError("o terminal " + std::to_string(position) + " não está na lista de \"BemaSB32.ini\"");
    return options.terminals;
}

}  // namespace

int RunHeadlessService(const std::vector<std::string>& arguments) {
    HeadlessOutput output(std::cout, std::cerr);
    SetDialogBoxHandler([&output](TDialogBoxKind, const std::string& title, const std::string& text) {
        output.Message(title, text);
        return 1;
    });

    const fs::path program = ProgramPath();
    HeadlessOptions options;
    ServiceSettings settings;
    std::vector<int> positions;
    try {
        options = ParseHeadlessOptions(arguments);
        settings = LoadServiceSettings(IniFile((program.parent_path() / TerminalSettingsFile::kFileName).string()),
                                       IniFile(OwnSettingsPath(program.string())));
        positions = ServedPositions(options, settings);
    } catch (const UsageError& e) {
        std::cerr << e.what() << std::endl;
        return 2;
    }

    std::optional<VendorLibrary> library;
    try {
        library.emplace();
    } catch (const std::exception& e) {
        std::cerr << e.what() << std::endl;
        return 1;
    }

    DatabaseFileName = "DBEMPRESA.FDB";
    SiblingIniPath = FindSiblingIni();
    const std::string settingsPath = ConnectionSettingsPath(arguments);
    if (!CheckConnectionSettings(settingsPath)) {
        std::cerr << "Sem configurações de conexão com o banco de dados em " << settingsPath << std::endl;
        return 1;
    }

    const sigset_t stopSignals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    KeyLog keyLogFile((program.parent_path() / "teclas.txt").string());
    SharedKeyLog keyLog(keyLogFile);
    StopSignal stop;
    std::vector<std::unique_ptr<HeadlessTerminal>> terminals;
    for (int position : positions) {
        const int number = TerminalNumberOfEntry(settings.terminals[position], position);
        terminals.push_back(std::make_unique<HeadlessTerminal>(position, number, settings, *library, stop, output,
                                                               options.keyLog ? &keyLog : nullptr));
        if (!terminals.back()->Connect(settingsPath)) {
            stop.Request();
            return 1;  // the terminals' destructors wait for their threads
        }
    }

    int signal = 0;
    sigwait(&stopSignals, &signal);
    stop.Request();
    terminals.clear();
    return 0;
}
