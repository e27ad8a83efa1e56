#include "ServiceSettingsFiles.h"

#include "IniFile.h"
#include "ProgramFiles.h"
#include "TerminalList.h"
#include "TerminalSettingsFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace {

using namespace TerminalSettingsFile;

constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;

// Why the file cannot be read; nothing when it can. A missing file is
// `missing`'s business.
std::optional<std::string> ReadFailure(const std::string& path) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return std::string(std::strerror(errno));
    char byte;
    const bool failed = read(file, &byte, 1) < 0;
    const int error = errno;
    close(file);
    if (failed)
        return std::string(std::strerror(error));
    return std::nullopt;
}

}  // namespace

ServiceSettingsFiles SettingsFilesOf(const std::string& programPath) {
    return {PathBeside(programPath), OwnSettingsPath(programPath)};
}

bool IsTerminalPort(int port) { return port >= kLowestPort && port <= kHighestPort; }

std::string SettingOrigin(const std::string& path, const std::string& section, const std::string& key) {
    return "(" + path + " [" + section + "] " + key + ")";
}

ServiceSettingsReading ReadServiceSettings(const ServiceSettingsFiles& files) {
    ServiceSettingsReading reading;
    reading.settings = LoadServiceSettings(IniFile(files.vendorPath), IniFile(files.ownPath));
    const ServiceSettings& settings = reading.settings;
    if (!std::filesystem::exists(files.vendorPath)) {
        reading.problems.push_back("arquivo não encontrado: " + files.vendorPath);
    } else if (const auto failure = ReadFailure(files.vendorPath)) {
        reading.problems.push_back("não foi possível ler " + files.vendorPath + ": " + *failure);
    } else {
        if (settings.protocol != 0 && settings.protocol != 1)
            reading.problems.push_back("protocolo " + std::to_string(settings.protocol) + " desconhecido, use 0 ou 1 " +
                                       SettingOrigin(files.vendorPath, kProtocolSection, kProtocolKey));
        if (!IsTerminalPort(settings.port))
            reading.problems.push_back("porta " + std::to_string(settings.port) + " fora do intervalo de " +
                                       std::to_string(kLowestPort) + " a " + std::to_string(kHighestPort) + " " +
                                       SettingOrigin(files.vendorPath, kTerminalsSection, kPortKey));
        for (const auto& fault : UnaddressableKeys(IniFile(files.vendorPath).ReadSectionValues(kTerminalsSection)))
            reading.problems.push_back(UnaddressableKeyLine(fault, files.vendorPath));
    }
    if (std::filesystem::exists(files.ownPath))
        if (const auto failure = ReadFailure(files.ownPath))
            reading.problems.push_back("não foi possível ler " + files.ownPath + ": " + *failure);
    return reading;
}
