#pragma once
// Quorvel --check [CFG=FILE]: an installation checked as the service would
// use it, without starting it and without writing any settings file. One
// line per item on the output, in Portuguese, "OK   " or "ERRO " first, and
// for what is wrong the file and key it came from:
//   ERRO porta 70000 fora do intervalo de 1 a 65535 (/opt/quorvel/BemaSB32.ini [Terminais] Porta)
// Items: the terminal settings files, the terminal library, the database
// connection (no dialog, no keys written), the shop's settings row
// CONFIGURA, and each terminal of the list at its TCP port (a connection
// opened and closed at once, nothing sent).
#include <iosfwd>
#include <string>
#include <vector>

// Whether the arguments (the program name left out) ask for the check.
bool WantsCheck(const std::vector<std::string>& arguments);

// Runs the check and returns the exit status: 0 when every item is usable,
// 1 when one is not, 2 for arguments other than "--check" and one
// "CFG=FILE" (before or after it).
int RunConfigurationCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors);
