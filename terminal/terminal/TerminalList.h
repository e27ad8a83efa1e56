#pragma once
// The terminal list (CbTerminal): one entry "key=address" per numbered key
// of the vendor file's section "Terminais" ("Porta" and any other key that
// is not a number are no terminals). Entries are kept in the order of their
// key numbers, so a terminal's position in the list is the number under
// which the library finds its address.
#include <string>
#include <string_view>
#include <vector>

// How many terminals the library addresses: the keys "0" to "255".
inline constexpr int kAddressableTerminals = 256;

// The list entries from the section's lines as read (key "=" value). Of
// several keys with the same number only the first in the file is kept.
std::vector<std::string> TerminalEntries(const std::vector<std::string>& sectionLines);

// A numbered key of "Terminais" that the library cannot serve as a
// terminal of its own: one outside its numbers 0 to 255 written in at most
// three digits ("256", "0007"; `earlierKey` empty), or one that reaches the
// same terminal as a key before it in the file ("00" after "0", named in
// `earlierKey`). Serving such a key would drive another terminal, or one
// terminal from two threads.
struct UnaddressableKey {
    std::string key;
    std::string earlierKey;
};

// Every such key of the section's lines as read (key "=" value), in file order.
std::vector<UnaddressableKey> UnaddressableKeys(const std::vector<std::string>& sectionLines);

// The line that names the key, the section and the file (UTF-8):
// "a chave 256 não é um terminal que a biblioteca atende, que são as chaves
// 0 a 255 (/opt/quorvel/BemaSB32.ini [Terminais] 256)".
std::string UnaddressableKeyLine(const UnaddressableKey& fault, const std::string& vendorPath);

// Sorts entries by key number; entries with equal keys keep their order.
void OrderTerminalEntries(std::vector<std::string>& entries);

// The number the library knows the entry's terminal by: its key. After any
// save that is the entry's position; a hand-written file with gaps in its
// keys (0, 2, 5) is addressed right before that save too. The position when
// the key is not a number the library can take.
int TerminalNumberOfEntry(const std::string& entry, int position);

// What stands after the first "=" of an entry (the whole entry without one).
std::string TerminalAddress(const std::string& entry);

// The entry for an address the operator added: key 999, so that it goes to
// the end of the list until the next save gives it its position's number.
std::string NewTerminalEntry(const std::string& address);
