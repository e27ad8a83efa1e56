#pragma once
// The terminal service's settings and the two INI files that keep them:
// the vendor library's "BemaSB32.ini" (protocol, port, terminal addresses)
// and the program's own file (letter mappings, special codes and actions).
// Texts are Windows-1252.
#include "TerminalSettingsFile.h"

#include <array>
#include <string>
#include <vector>

class IniFile;

struct ServiceSettings {
    int protocol = TerminalSettingsFile::kDefaultProtocol;  // CbProtocolo position, -1 for none
    int port = TerminalSettingsFile::kDefaultPort;          // EdtPorta
    std::vector<std::string> terminals;                     // CbTerminal entries "key=address", in list order
    std::array<std::string, 26> letters;                    // EdtA to EdtZ
    std::array<std::string, 8> specialCodes;                // EdtC1 to EdtC8
    std::array<int, 8> specialActions{};                    // CbC1 to CbC8, -1 for none
};

// Every value from the files, or its default where the file, section or key
// is missing. The terminal list comes back in list order.
ServiceSettings LoadServiceSettings(const IniFile& vendorFile, const IniFile& ownFile);

// Writes every value, key by key. The terminals get the keys "0" up to
// their count minus 1 from their list positions; every other numbered key of
// "Terminais" is removed first, so a shorter list leaves no stale address.
// Throws "Unable to write to <path>" and stops at the key that failed.
void SaveServiceSettings(const ServiceSettings& settings, IniFile& vendorFile, IniFile& ownFile);
