#include "ConfigurationCheck.h"

#include "DataModulo.h"
#include "HeadlessOutput.h"
#include "ProgramFiles.h"
#include "QZ_DBIBX_SETTINGS.h"
#include "QZ_DIALOG.h"
#include "ServiceSettingsFiles.h"
#include "TerminalList.h"
#include "TerminalPortProbe.h"
#include "TerminalSettingsFile.h"
#include "Trim.h"
#include "VendorLibrary.h"

#include <algorithm>
#include <filesystem>
#include <future>
#include <optional>
#include <ostream>

namespace {

using namespace TerminalSettingsFile;

constexpr std::chrono::milliseconds kProbeLimit{3000};

class CheckReport {
public:
    explicit CheckReport(std::ostream& out) : out_(out) {}

    void Ok(const std::string& text) { out_ << "OK   " << AsOneLine(text) << std::endl; }
    void Problem(const std::string& text) {
        usable_ = false;
        out_ << "ERRO " << AsOneLine(text) << std::endl;
    }
    bool Usable() const { return usable_; }

private:
    std::ostream& out_;
    bool usable_ = true;
};

// The arguments as the connection settings read them: "CFG=FILE" first.
// Nothing when there is anything else besides "--check".
std::optional<std::vector<std::string>> ConnectionArguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> connection;
    for (const auto& argument : arguments) {
        if (argument == "--check")
            continue;
        if (!IsSettingsSwitch(argument) || !connection.empty())
            return std::nullopt;
        connection.push_back(argument);
    }
    return connection;
}

ServiceSettings CheckTerminalSettings(CheckReport& report, const ServiceSettingsFiles& files) {
    ServiceSettingsReading reading = ReadServiceSettings(files);
    for (const auto& problem : reading.problems)
        report.Problem(problem);
    const ServiceSettings& settings = reading.settings;
    if (settings.terminals.empty() && reading.problems.empty())
        report.Problem("nenhum terminal na lista " + SettingOrigin(files.vendorPath, kTerminalsSection, "0, 1, ..."));
    else if (reading.problems.empty())
        report.Ok("configurações dos terminais: protocolo " + std::to_string(settings.protocol) + ", porta " +
                  std::to_string(settings.port) + ", " + std::to_string(settings.terminals.size()) + " na lista (" +
                  files.vendorPath + ")");
    return std::move(reading.settings);
}

// The stored login is only scrambled: the file's permissions are what keeps
// it from the other users of the computer.
void CheckLoginPrivacy(CheckReport& report, const std::string& settingsPath) {
    if (CredentialsReadableByOthers(settingsPath))
        report.Problem(settingsPath +
                       " guarda o usuário e a senha do banco de dados e pode ser lido por outros usuários "
                       "(chmod o-rwx " +
                       settingsPath + ")");
}

void CheckTerminalLibrary(CheckReport& report) {
    try {
        VendorLibrary library;
        report.Ok("biblioteca do terminal carregada");
    } catch (const std::exception& e) {
        report.Problem(e.what());
    }
}

// Connects a data module as the service would, from the settings as they
// stand (a blank "IP" as "127.0.0.1", missing keys as their defaults),
// writing nothing, and reads the shop's settings row.
void CheckDatabase(CheckReport& report, const std::string& settingsPath) {
    if (!CheckConnectionSettings(settingsPath)) {
        report.Problem("sem configurações de conexão com o banco de dados " +
                       SettingOrigin(settingsPath, kConnectionSection, "IP, LOCAL"));
        return;
    }
    ConnectionSettings connection;
    try {
        connection = ReadConnectionSettings(settingsPath, DatabaseFileName);
    } catch (const std::exception& e) {
        report.Problem(std::string("usuário ou senha guardados ilegíveis: ") + e.what() + " " +
                       SettingOrigin(settingsPath, kConnectionSection, "USUARIO, SENHA"));
        return;
    }
    const std::string name = (quorvel::IsBlank(connection.IP) ? kDefaultIP : connection.IP) + ":" + connection.Local;
    TDM dataModule;
    try {
        PrepareLogin(dataModule.BaseDados, name, connection.UseConfig, connection.User, connection.Password);
        EnsureCharacterSetLine(dataModule.BaseDados.Params);
        dataModule.BaseDados.Open();
    } catch (const std::exception& e) {
        report.Problem("banco de dados " + name + " não conectado: " + e.what() + " " +
                       SettingOrigin(settingsPath, kConnectionSection, "IP, LOCAL, USUARIO, SENHA, USACONFIG"));
        return;
    }
    report.Ok("banco de dados " + name + " conectado (" + settingsPath + " [" + kConnectionSection + "])");
    try {
        dataModule.PrepareCommands();
        if (dataModule.QCFG.IsEmpty())
            report.Problem("a tabela CONFIGURA de " + name +
                           " não tem linha: novas comandas ficam sem cliente e "
                           "funcionário padrão");
        else
            report.Ok("configuração da loja lida (tabela CONFIGURA)");
    } catch (const std::exception& e) {
        report.Problem(std::string("configuração da loja ilegível (tabela CONFIGURA): ") + e.what());
    }
}

// Tries every terminal at once; the lines come in list order. Nothing to
// try at a port the library cannot take (its own line says so).
void CheckTerminals(CheckReport& report, const ServiceSettings& settings, const std::string& vendorPath) {
    if (!IsTerminalPort(settings.port))
        return;
    std::vector<std::future<std::optional<std::string>>> probes;
    for (const auto& entry : settings.terminals)
        probes.push_back(
            std::async(std::launch::async, ProbeTerminalPort, TerminalAddress(entry), settings.port, kProbeLimit));
    for (size_t position = 0; position < probes.size(); ++position) {
        const std::string& entry = settings.terminals[position];
        const std::string where = TerminalAddress(entry) + ":" + std::to_string(settings.port);
        const std::string origin = SettingOrigin(vendorPath, kTerminalsSection, entry.substr(0, entry.find('=')));
        if (const auto failure = probes[position].get())
            report.Problem("terminal " + std::to_string(position) + " em " + where + ": " + *failure + " " + origin);
        else
            report.Ok("terminal " + std::to_string(position) + " em " + where + " aceita conexão " + origin);
    }
}

}  // namespace

bool WantsCheck(const std::vector<std::string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), "--check") != arguments.end();
}

int RunConfigurationCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors) {
    const auto connectionArguments = ConnectionArguments(arguments);
    if (!connectionArguments) {
        errors << "uso: Quorvel --check [CFG=ARQUIVO]" << std::endl;
        return 2;
    }
    CheckReport report(out);
    // A routine that would show a box shows its line instead.
    SetDialogBoxHandler([&report](TDialogBoxKind, const std::string& title, const std::string& text) {
        report.Problem(title + ": " + text);
        return 2;
    });

    const ServiceSettingsFiles files = SettingsFilesOf(ProgramPath());
    const ServiceSettings settings = CheckTerminalSettings(report, files);
    UseShopDatabase();
    const std::string settingsPath = ConnectionSettingsPath(*connectionArguments);
    CheckLoginPrivacy(report, settingsPath);
    CheckTerminalLibrary(report);
    CheckDatabase(report, settingsPath);
    CheckTerminals(report, settings, files.vendorPath);
    return report.Usable() ? 0 : 1;
}
