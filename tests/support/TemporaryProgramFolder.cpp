#include "TemporaryProgramFolder.h"

#include "ProgramFiles.h"

#include <fstream>

namespace fs = std::filesystem;

TemporaryProgramFolder::TemporaryProgramFolder() { SetProgramPath((folder_.Path() / "Quorvel").string()); }

TemporaryProgramFolder::~TemporaryProgramFolder() { SetProgramPath(""); }

std::string TemporaryProgramFolder::Write(const std::string& name, const std::string& content) const {
    const fs::path path = folder_.Path() / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

std::vector<std::string> TemporaryProgramFolder::Lines(const std::string& name) const {
    std::vector<std::string> lines;
    std::ifstream file(folder_.Path() / name, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
