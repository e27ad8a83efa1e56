#include "TerminalSettings.h"

#include "IniFile.h"

#include <cstdlib>
#include <filesystem>

namespace {

// A terminal number: decimal digits only, 0 to 255.
std::optional<int> TerminalNumber(const std::string& key) {
    if (key.empty() || key.size() > 3 || key.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int number = std::stoi(key);
    if (number > 255)
        return std::nullopt;
    return number;
}

} // namespace

std::string TerminalSettings::FilePath() {
    if (const char* path = std::getenv("BEMASB32_INI"); path && *path)
        return path;
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (program.parent_path() / "BemaSB32.ini").string();
}

std::optional<TerminalSettings> TerminalSettings::Load(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    IniFile ini(path);
    TerminalSettings settings;
    settings.port = ini.ReadInteger("Terminais", "Porta", 9200);
    if (settings.port < 1 || settings.port > 65535)
        return std::nullopt;
    if (ini.ReadInteger("FIT", "PROTOCOLO", 0) == 1)
        settings.framing = Framing::Escape;
    for (const std::string& line : ini.ReadSectionValues("Terminais")) {
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        // The first key with a number counts ("0" before "00"), as in the
        // program's terminal list.
        if (std::optional<int> number = TerminalNumber(line.substr(0, equals)))
            settings.addresses.emplace(*number, line.substr(equals + 1));
    }
    return settings;
}
