#pragma once
// What the library reads from "BemaSB32.ini": the terminals' port, each
// terminal's address under its number in "Terminais", and the protocol in
// "FIT".
#include "Framing.h"
#include "TerminalSettingsFile.h"

#include <map>
#include <optional>
#include <string>

struct TerminalSettings {
    int port = TerminalSettingsFile::kDefaultPort;
    Framing framing = Framing::StxEtx;
    std::map<int, std::string> addresses;  // terminal number -> IP address

    // The settings file: $BEMASB32_INI when set, otherwise "BemaSB32.ini" in
    // the folder of the running program.
    static std::string FilePath();
    // Read through the INI layer, so quotes and twin keys follow the
    // program's rules. Nothing when the file does not exist or its port is
    // outside 1 to 65535: such a port is never taken for another one.
    static std::optional<TerminalSettings> Load(const std::string& path);
};
