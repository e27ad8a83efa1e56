#pragma once
// Command-line options of the interpreter console.
#include <optional>
#include <string>
#include <vector>

struct ConsoleOptions {
    std::string user = "SYSDBA";
    std::string password = "masterkey";
    bool showPrompt = false;
    bool help = false;
    bool version = false;
    std::string database;  // a file path (embedded engine) or host:path
};

// Reads [--user NAME] [--password SECRET] [--show-prompt] [--help] [--version] DATABASE
// (also --user=NAME and --password=SECRET). Returns nothing and sets `error`
// for an unknown option, a missing value or a database given twice or not
// at all (unless --help or --version was asked for).
std::optional<ConsoleOptions> ParseConsoleOptions(const std::vector<std::string>& arguments, std::string& error);

// The text --help prints.
std::string ConsoleUsage();
