#pragma once
// Where the running program lives, and the files named after it. Tests set
// the program's path so that they can work in a folder of their own.
#include <string>

// The running program's file ("/proc/self/exe" unless set).
std::string ProgramPath();
// Replaces the program's path; "" goes back to the running program.
void SetProgramPath(std::string path);

// The folder of ProgramPath, ending in "/".
std::string ProgramFolder();

// The file `name` in the folder of the program at `programPath`.
std::string FileBesideProgram(const std::string& programPath, const std::string& name);

// The program's own settings file: the program path with its extension
// replaced by ".ini", or ".ini" appended when it has none
// (/opt/loja/Quorvel uses /opt/loja/Quorvel.ini).
std::string OwnSettingsPath(const std::string& programPath);
