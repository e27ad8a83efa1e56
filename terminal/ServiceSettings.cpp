#include "ServiceSettings.h"

#include "CommandLetters.h"
#include "IniFile.h"
#include "TerminalList.h"
#include "TerminalSettingsFile.h"

#include <cstdio>

namespace {

using namespace TerminalSettingsFile;

constexpr const char* kLetters = "TECLAS";
constexpr const char* kSpecialCodes = "TECLASESPECIAIS";
constexpr const char* kSpecialActions = "ACOESESPECIAIS";

std::string PairKey(int pair) {
    char key[4];
    std::snprintf(key, sizeof key, "%02d", pair);
    return key;
}

std::string LetterKey(size_t index) { return std::string(1, static_cast<char>('A' + index)); }

// Every numbered key of "Terminais": "0" to "50" for a list of up to 51
// terminals, and whatever higher keys a longer list left behind.
std::vector<std::string> NumberedKeys(const IniFile& vendorFile) {
    std::vector<std::string> keys;
    for (const auto& line : vendorFile.ReadSectionValues(kTerminalsSection))
        if (std::string key = line.substr(0, line.find('=')); IsTerminalKey(key))
            keys.push_back(key);
    return keys;
}

}  // namespace

ServiceSettings LoadServiceSettings(const IniFile& vendorFile, const IniFile& ownFile) {
    ServiceSettings settings;
    settings.protocol = vendorFile.ReadInteger(kProtocolSection, kProtocolKey, kDefaultProtocol);
    settings.port = vendorFile.ReadInteger(kTerminalsSection, kPortKey, kDefaultPort);
    settings.terminals = TerminalEntries(vendorFile.ReadSectionValues(kTerminalsSection));
    for (size_t i = 0; i < settings.letters.size(); ++i) {
        const std::string letter = LetterKey(i);
        settings.letters[i] = ownFile.ReadString(kLetters, letter, IsCommandLetter(letter[0]) ? letter : "");
    }
    for (int pair = 1; pair <= 8; ++pair) {
        settings.specialCodes[pair - 1] = ownFile.ReadString(kSpecialCodes, PairKey(pair), pair == 1 ? "27" : "");
        settings.specialActions[pair - 1] = ownFile.ReadInteger(kSpecialActions, PairKey(pair), pair == 1 ? 7 : -1);
    }
    return settings;
}

void SaveServiceSettings(const ServiceSettings& settings, IniFile& vendorFile, IniFile& ownFile) {
    vendorFile.WriteInteger(kProtocolSection, kProtocolKey, settings.protocol);
    vendorFile.WriteInteger(kTerminalsSection, kPortKey, settings.port);
    for (const auto& key : NumberedKeys(vendorFile))
        vendorFile.DeleteKey(kTerminalsSection, key);
    for (size_t i = 0; i < settings.terminals.size(); ++i)
        vendorFile.WriteString(kTerminalsSection, std::to_string(i), TerminalAddress(settings.terminals[i]));
    for (size_t i = 0; i < settings.letters.size(); ++i)
        ownFile.WriteString(kLetters, LetterKey(i), settings.letters[i]);
    for (int pair = 1; pair <= 8; ++pair)
        ownFile.WriteString(kSpecialCodes, PairKey(pair), settings.specialCodes[pair - 1]);
    for (int pair = 1; pair <= 8; ++pair)
        ownFile.WriteInteger(kSpecialActions, PairKey(pair), settings.specialActions[pair - 1]);
}
