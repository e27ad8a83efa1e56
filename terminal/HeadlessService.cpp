#include "HeadlessService.h"

#include "HeadlessOutput.h"
#include "JournalStream.h"
#include "KeyLog.h"
#include "ProgramFiles.h"
#include "ProgramOptions.h"
#include "QZ_DBIBX_SETTINGS.h"
#include "QZ_DIALOG.h"
#include "ServiceNotifier.h"
#include "ServiceReload.h"
#include "ServiceStatePublisher.h"
#include "ServiceStatusText.h"
#include "SharedServiceSettings.h"
#include "TerminalFleet.h"
#include "VendorLibrary.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <pthread.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The longest the main thread waits for a signal before it brings the
// status sentence up to date and looks after the watchdog.
constexpr std::chrono::milliseconds kStatusPeriod{1000};
// How long a stop waits for the terminals to leave their replies on their
// displays: a command interrupted by the stop ends, or shows the
// unknown-outcome reply, within TerminalService::StopGrace.
constexpr std::chrono::milliseconds kStopBound{2500};

// SIGINT and SIGTERM (stop) and SIGHUP (reload), blocked in every thread so
// the main thread alone takes them, with sigtimedwait.
sigset_t ServiceSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    return signals;
}

HeadlessOutput::Priority PriorityOf(TDialogBoxKind kind) {
    switch (kind) {
    case dbkError: return HeadlessOutput::Priority::Error;
    case dbkInfo: return HeadlessOutput::Priority::Info;
    default: return HeadlessOutput::Priority::Warning;
    }
}

// Waits for one of the signals at most `limit`; 0 when none came.
int WaitForSignal(const sigset_t& signals, Clock::duration limit) {
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(limit).count();
    const timespec wait{static_cast<time_t>(nanoseconds / 1000000000), static_cast<long>(nanoseconds % 1000000000)};
    const int signal = sigtimedwait(&signals, nullptr, &wait);
    return signal > 0 ? signal : 0;
}

}  // namespace

int RunHeadlessService(const std::vector<std::string>& arguments) {
    HeadlessOutput output(std::cout, std::cerr, IsJournalStream(STDERR_FILENO, std::getenv("JOURNAL_STREAM")));
    SetDialogBoxHandler([&output](TDialogBoxKind kind, const std::string& title, const std::string& text) {
        output.Message(title, text, PriorityOf(kind));
        if (auto* terminal = TerminalActivityRecord::OfThisThread(); terminal && kind == dbkError)
            terminal->NoteError(AsOneLine(title + ": " + text));
        return 1;
    });

    const fs::path program = ProgramPath();
    const ServiceSettingsFiles files = SettingsFilesOf(program.string());
    HeadlessOptions options;
    ServicePlan plan;
    try {
        options = ParseHeadlessOptions(arguments);
        plan = PlanService(files, options);
    } catch (const UsageError& e) {
        output.Problem(e.what());
        return 2;
    }

    std::optional<VendorLibrary> library;
    try {
        library.emplace();
    } catch (const std::exception& e) {
        output.Problem(e.what());
        return 1;
    }

    UseShopDatabase();
    const std::string settingsPath = ConnectionSettingsPath(arguments);
    if (!CheckConnectionSettings(settingsPath)) {
        output.Problem("Sem configurações de conexão com o banco de dados em " + settingsPath);
        return 1;
    }

    const sigset_t signals = ServiceSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    KeyLog keyLogFile(KeyLogPathOf(program.string()));
    SharedKeyLog keyLog(keyLogFile);
    const std::vector<std::string> entries = plan.settings.terminals;
    SharedServiceSettings settings(std::move(plan.settings));
    TerminalFleet fleet(settings, *library, output, options.keyLog ? &keyLog : nullptr, settingsPath);
    if (fleet.Serve(entries, plan.positions, false, true).failed > 0)
        return 1;  // the fleet stops the terminals that did connect

    {
        ServiceStatePublisher state(ServiceStatePathOf(program.string()), output);
        state.Publish(fleet.States());
        ServiceNotifier notifier;
        notifier.Ready(ServiceStatusText(fleet.Tally()));
        const auto watchdog = notifier.WatchdogInterval();
        const Clock::duration wake = watchdog ? std::min<Clock::duration>(kStatusPeriod, *watchdog / 4) : kStatusPeriod;
        for (;;) {
            const int signal = WaitForSignal(signals, wake);
            if (signal == SIGINT || signal == SIGTERM)
                break;
            if (signal == SIGHUP) {
                notifier.Reloading();
                ReloadService(files, options, settings, fleet, output);
                notifier.Ready(ServiceStatusText(fleet.Tally()));
            }
            notifier.Status(ServiceStatusText(fleet.Tally()));
            PetWatchdog(notifier, fleet);
            state.Publish(fleet.States());
        }
        notifier.Stopping();
        if (!fleet.StopWithin(kStopBound))
            output.Problem("parado com comandos ainda em andamento", HeadlessOutput::Priority::Warning);
    }  // the state file is withdrawn here: the quick end below runs no destructor
    // Every terminal has left its reply on its display. The attachments are
    // not waited for: the process's end closes them and the server rolls back
    // whatever was not committed, while detaching hundreds of them one by one
    // took a busy server seconds.
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(0);
}
