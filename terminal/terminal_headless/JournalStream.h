#pragma once
// Whether a descriptor writes into the journal: systemd sets JOURNAL_STREAM
// to "DEVICE:INODE" of the stream it connects to standard output or error.
// Lines for the journal may then carry a priority prefix ("<3>"); a person
// reading the program at a console sees no such prefix.

// True when `journalStream` (the variable's value, null when unset) names
// the device and inode of the open descriptor `descriptor`.
bool IsJournalStream(int descriptor, const char* journalStream);
