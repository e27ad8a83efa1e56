#pragma once
// A program folder of its own for one test: a fresh temporary folder that
// holds the program file "Quorvel" as far as ProgramPath is concerned.
// Removed, and the running program's path restored, with the object.
#include "TemporaryFolder.h"

#include <string>
#include <vector>

class TemporaryProgramFolder {
public:
    TemporaryProgramFolder();
    ~TemporaryProgramFolder();
    TemporaryProgramFolder(const TemporaryProgramFolder&) = delete;
    TemporaryProgramFolder& operator=(const TemporaryProgramFolder&) = delete;

    // The folder with a trailing "/", as ProgramFolder gives it.
    std::string Folder() const { return folder_.Path().string() + "/"; }
    std::string PathOf(const std::string& name) const { return folder_.PathOf(name); }

    // Writes a file (its folders made as needed) and returns its path.
    std::string Write(const std::string& name, const std::string& content) const;
    // The lines of a file without their line ends; none when it is missing.
    std::vector<std::string> Lines(const std::string& name) const;

private:
    TemporaryFolder folder_{"quorvel-program"};
};
