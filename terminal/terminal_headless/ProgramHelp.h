#pragma once
// What every program of the package answers without starting: its usage
// (--help or -h) and its version (--version), on standard output. Neither
// needs a display, a database or a settings file, and neither writes one.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// When the arguments (the program name left out) hold "--help", "-h" or
// "--version", prints the usage or "Quorvel <version>" to `out` and gives
// the exit status, 0; the usage wins when both are asked for. None for any
// other command line.
std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& arguments, std::ostream& out);
