#pragma once
// The terminal list (CbTerminal): one entry "key=address" per numbered key
// of the vendor file's section "Terminais" ("Porta" and any other key that
// is not a number are no terminals). Entries are kept in the order of their
// key numbers, so a terminal's position in the list is the number under
// which the library finds its address.
#include <string>
#include <string_view>
#include <vector>

// The list entries from the section's lines as read (key "=" value). Of
// several keys with the same number only the first in the file is kept.
std::vector<std::string> TerminalEntries(const std::vector<std::string>& sectionLines);

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
