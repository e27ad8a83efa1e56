#pragma once
// The layout of the terminal library's settings file "BemaSB32.ini", as the
// library reads it and the program writes it: the port and each terminal's
// address under its number in section "Terminais", the protocol in "FIT".
#include <optional>
#include <string>
#include <string_view>

namespace TerminalSettingsFile {

inline constexpr const char* kFileName = "BemaSB32.ini";
inline constexpr const char* kTerminalsSection = "Terminais";
inline constexpr const char* kPortKey = "Porta";
inline constexpr int kDefaultPort = 9200;
inline constexpr const char* kProtocolSection = "FIT";
inline constexpr const char* kProtocolKey = "PROTOCOLO";
inline constexpr int kDefaultProtocol = 0;

// The file beside the program at `programPath`, where the library looks.
std::string PathBeside(const std::string& programPath);

// A key of "Terminais" made only of decimal digits: a terminal's address
// ("Porta" and any other key are none).
bool IsTerminalKey(std::string_view key);

// The terminal number such a key gives the library: 0 to 255, written in at
// most three digits ("007" is 7); nothing for any other key.
std::optional<int> TerminalKeyNumber(std::string_view key);

}  // namespace TerminalSettingsFile
