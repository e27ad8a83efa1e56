#pragma once
// The service's two settings files beside the program, read as the service
// reads them, and whatever makes them unusable, each problem as one line
// (UTF-8) that names the file and, where one is to blame, the key.
#include "ServiceSettings.h"

#include <string>
#include <vector>

struct ServiceSettingsFiles {
    std::string vendorPath;  // "BemaSB32.ini" in the program's folder
    std::string ownPath;     // the program's own settings file
};

// The files of the program at `programPath`.
ServiceSettingsFiles SettingsFilesOf(const std::string& programPath);

struct ServiceSettingsReading {
    ServiceSettings settings;
    // Empty when the service can run with the settings: "BemaSB32.ini"
    // exists and can be read, its protocol is 0 or 1, its port 1 to 65535
    // and every numbered key of "Terminais" a terminal of its own that the
    // library can address (UnaddressableKeys), and the own file, when there is one, can be read. An empty
    // terminal list is left to the caller.
    std::vector<std::string> problems;
};

ServiceSettingsReading ReadServiceSettings(const ServiceSettingsFiles& files);

// Whether the library can take the port: 1 to 65535.
bool IsTerminalPort(int port);

// Where a value came from, as the problem lines write it:
// "(/opt/quorvel/BemaSB32.ini [Terminais] Porta)".
std::string SettingOrigin(const std::string& path, const std::string& section, const std::string& key);
