#include "TerminalSettingsFile.h"

#include "ProgramFiles.h"

#include <algorithm>
#include <string>

namespace TerminalSettingsFile {

std::string PathBeside(const std::string& programPath) { return FileBesideProgram(programPath, kFileName); }

bool IsTerminalKey(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> TerminalKeyNumber(std::string_view key) {
    if (!IsTerminalKey(key) || key.size() > 3)
        return std::nullopt;
    const int number = std::stoi(std::string(key));
    if (number > 255)
        return std::nullopt;
    return number;
}

}  // namespace TerminalSettingsFile
