#include "TerminalList.h"

#include "TerminalSettingsFile.h"

#include <algorithm>
#include <map>

namespace {

std::string_view KeyOf(std::string_view entry) { return entry.substr(0, entry.find('=')); }

// A digit string without its leading zeros: "007" and "7" name one number.
std::string_view Significant(std::string_view digits) {
    const size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// Compares two digit strings by the number they hold, however long.
bool LessNumber(std::string_view a, std::string_view b) {
    a = Significant(a);
    b = Significant(b);
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

bool ComesBefore(const std::string& a, const std::string& b) { return LessNumber(KeyOf(a), KeyOf(b)); }

bool SameNumber(const std::string& a, const std::string& b) { return Significant(KeyOf(a)) == Significant(KeyOf(b)); }

}  // namespace

std::vector<std::string> TerminalEntries(const std::vector<std::string>& sectionLines) {
    std::vector<std::string> entries;
    for (const auto& line : sectionLines)
        if (TerminalSettingsFile::IsTerminalKey(KeyOf(line)))
            entries.push_back(line);
    OrderTerminalEntries(entries);
    // Of two keys with one number ("0" twice, or "0" and "00") the first in
    // the file names the terminal, as the library reads it.
    entries.erase(std::unique(entries.begin(), entries.end(), SameNumber), entries.end());
    return entries;
}

std::vector<UnaddressableKey> UnaddressableKeys(const std::vector<std::string>& sectionLines) {
    std::vector<UnaddressableKey> faults;
    std::map<int, std::string> reached;  // terminal number -> the first key reaching it
    for (const auto& line : sectionLines) {
        const std::string key(KeyOf(line));
        if (!TerminalSettingsFile::IsTerminalKey(key))
            continue;
        const auto number = TerminalSettingsFile::TerminalKeyNumber(key);
        if (!number)
            faults.push_back({key, {}});
        else if (const auto [first, isNew] = reached.emplace(*number, key); !isNew)
            faults.push_back({key, first->second});
    }
    return faults;
}

std::string UnaddressableKeyLine(const UnaddressableKey& fault, const std::string& vendorPath) {
    const std::string origin =
        " (" + vendorPath + " [" + TerminalSettingsFile::kTerminalsSection + "] " + fault.key + ")";
    if (fault.earlierKey.empty())
        return "a chave " + fault.key + " não é um terminal que a biblioteca atende, que são as chaves 0 a 255" +
               origin;
    return "a chave " + fault.key + " chega ao mesmo terminal que a chave " + fault.earlierKey + origin;
}

void OrderTerminalEntries(std::vector<std::string>& entries) {
    std::stable_sort(entries.begin(), entries.end(), ComesBefore);
}

int TerminalNumberOfEntry(const std::string& entry, int position) {
    return TerminalSettingsFile::TerminalKeyNumber(KeyOf(entry)).value_or(position);
}

std::string TerminalAddress(const std::string& entry) {
    const size_t equals = entry.find('=');
    return equals == std::string::npos ? entry : entry.substr(equals + 1);
}

std::string NewTerminalEntry(const std::string& address) { return "999=" + address; }
