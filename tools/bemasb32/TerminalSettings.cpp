#include "TerminalSettings.h"

#include "IniFile.h"
#include "ProgramFiles.h"
#include "TerminalSettingsFile.h"

#include <cstdlib>
#include <filesystem>

using namespace TerminalSettingsFile;

std::string TerminalSettings::FilePath() {
    if (const char* path = std::getenv("BEMASB32_INI"); path && *path)
        return path;
    return (std::filesystem::path(ProgramPath()).parent_path() / kFileName).string();
}

std::optional<TerminalSettings> TerminalSettings::Load(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    IniFile ini(path);
    TerminalSettings settings;
    settings.port = ini.ReadInteger(kTerminalsSection, kPortKey, kDefaultPort);
    if (settings.port < 1 || settings.port > 65535)
        return std::nullopt;
    if (ini.ReadInteger(kProtocolSection, kProtocolKey, kDefaultProtocol) == 1)
        settings.framing = Framing::Escape;
    for (const std::string& line : ini.ReadSectionValues(kTerminalsSection)) {
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        // The first key with a number counts ("0" before "00"), as in the
        // program's terminal list.
        if (std::optional<int> number = TerminalKeyNumber(line.substr(0, equals)))
            settings.addresses.emplace(*number, line.substr(equals + 1));
    }
    return settings;
}
