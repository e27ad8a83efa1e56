#pragma once
// Quorvel [CFG=FILE] --status: asks the service running from this
// program's folder what its terminals are doing and prints the lines it
// published, one per terminal of its list (ServiceStateText.h). The exit
// status follows the convention of an init script's "status": 0 while a
// service runs, 3 when none does (one line says so), 4 when its state
// cannot be read (a user outside the service's group), 2 for an argument it
// does not know.
#include <iosfwd>
#include <string>
#include <vector>

// Whether the arguments (the program name left out) ask for the status.
bool WantsStatus(const std::vector<std::string>& arguments);

// statePath: where the service publishes (ServiceStatePathOf).
int RunStatusQuery(const std::vector<std::string>& arguments, const std::string& statePath, std::ostream& out,
                   std::ostream& errors);
