#include "ServiceReload.h"

#include "HeadlessOutput.h"
#include "ServiceStatusText.h"
#include "SharedServiceSettings.h"
#include "TerminalFleet.h"

namespace {

std::string JoinedProblems(const std::vector<std::string>& problems) {
    std::string text;
    for (const auto& problem : problems)
        text += (text.empty() ? "" : "; ") + problem;
    return text;
}

}  // namespace

ServicePlan PlanService(const ServiceSettingsFiles& files, const HeadlessOptions& options) {
    ServiceSettingsReading reading = ReadServiceSettings(files);
    if (!reading.problems.empty())
        throw UsageError(JoinedProblems(reading.problems));
    ServicePlan plan{std::move(reading.settings), options.terminals};
    const int listed = static_cast<int>(plan.settings.terminals.size());
    if (plan.positions.empty()) {
        if (listed == 0)
            throw UsageError("nenhum terminal na lista de \"BemaSB32.ini\" (" + files.vendorPath + ")");
        for (int position = 0; position < listed; ++position)
            plan.positions.push_back(position);
    }
    for (int position : plan.positions)
        if (position < 0 || position >= listed)
            throw UsageError("o terminal " + std::to_string(position) + " não está na lista de \"BemaSB32.ini\" (" +
                             files.vendorPath + ")");
    return plan;
}

void ReloadService(const ServiceSettingsFiles& files, const HeadlessOptions& options, SharedServiceSettings& settings,
                   TerminalFleet& fleet, HeadlessOutput& output) {
    ServicePlan plan;
    try {
        plan = PlanService(files, options);
    } catch (const UsageError& e) {
        output.Problem(std::string("configurações não recarregadas, nada mudou: ") + e.what());
        return;
    }
    const auto before = settings.Current();
    const bool linkChanged = before->protocol != plan.settings.protocol || before->port != plan.settings.port;
    const std::vector<std::string> entries = plan.settings.terminals;
    settings.Replace(std::move(plan.settings));
    const TerminalFleet::Change change = fleet.Serve(entries, plan.positions, linkChanged, false);
    std::string summary =
        "configurações recarregadas: " + CountedNoun(change.started, "terminal iniciado", "terminais iniciados") +
        ", " + CountedNoun(change.stopped, "parado", "parados") + ", " +
        CountedNoun(change.kept, "mantido", "mantidos");
    if (change.failed > 0)
        summary += ", " + std::to_string(change.failed) + " sem conexão com o banco de dados";
    output.Note(summary);
}
