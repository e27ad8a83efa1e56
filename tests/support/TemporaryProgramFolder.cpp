#include "TemporaryProgramFolder.h"

#include "ProgramFiles.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

TemporaryProgramFolder::TemporaryProgramFolder()
{
    std::string pattern = (fs::temp_directory_path() / "quorvel-program-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    folder_ = pattern;
    SetProgramPath((folder_ / "Quorvel").string());
}

TemporaryProgramFolder::~TemporaryProgramFolder()
{
    SetProgramPath("");
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string TemporaryProgramFolder::Write(const std::string& name, const std::string& content) const
{
    const fs::path path = folder_ / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

std::vector<std::string> TemporaryProgramFolder::Lines(const std::string& name) const
{
    std::vector<std::string> lines;
    std::ifstream file(folder_ / name, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
