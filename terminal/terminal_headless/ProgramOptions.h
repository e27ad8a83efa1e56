#pragma once
// The program's command line:
//   Quorvel [CFG=FILE] [--terminal N]                      the window
//   Quorvel [CFG=FILE] --headless [--terminal N]... [--key-log]   the service
//   Quorvel --version
//   Quorvel --check [CFG=FILE]                             the check of an installation (ConfigurationCheck.h)
// "CFG=" is the connection settings switch and is looked at only as the
// first argument.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct HeadlessOptions {
    std::vector<int> terminals;  // list positions to serve; empty serves every terminal
    bool keyLog = false;         // "teclas.txt" beside the program
};

// A command line the service cannot run with; what() is the line shown.
class UsageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Whether the arguments (the program name left out) ask for the service.
bool WantsHeadless(const std::vector<std::string>& arguments);

// Reads the arguments (the program name left out). Throws UsageError for an
// argument it does not know or a terminal position that is no number.
HeadlessOptions ParseHeadlessOptions(const std::vector<std::string>& arguments);

// The window's "--terminal N": the list entry to select and start once the
// window is shown. Arguments the window does not know are left to Qt.
std::optional<int> RequestedWindowTerminal(const std::vector<std::string>& arguments);
