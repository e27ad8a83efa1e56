#include "ProgramFiles.h"

#include <filesystem>
#include <utility>

namespace {

std::string& ChosenProgramPath() {
    static std::string path;
    return path;
}

}  // namespace

std::string ProgramPath() {
    if (!ChosenProgramPath().empty())
        return ChosenProgramPath();
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

void SetProgramPath(std::string path) { ChosenProgramPath() = std::move(path); }

std::string ProgramFolder() { return std::filesystem::path(ProgramPath()).parent_path().string() + "/"; }

std::string FileBesideProgram(const std::string& programPath, const std::string& name) {
    return (std::filesystem::path(programPath).parent_path() / name).string();
}

std::string OwnSettingsPath(const std::string& programPath) {
    return std::filesystem::path(programPath).replace_extension(".ini").string();
}
