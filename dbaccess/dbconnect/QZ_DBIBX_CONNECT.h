#pragma once
// The connecting half of the QZ_DBIBX unit: opening the shared connection
// from the connection settings, with the message boxes and the connection
// dialog this needs. The settings themselves are read and written by the
// plain routines in QZ_DBIBX.h.
#include <string>
#include <vector>

class Database;

// Opens the database with its name and parameter lines. On failure shows
// "Erro ao conectar" with the client's message and returns false.
bool OpenShowingError(Database& database);

// Reads section "IBCONFIG" of the file (writing every missing key with its
// default and a blank "IP" as "127.0.0.1"), closes SharedDatabase, names it
// IP + ":" + LOCAL, sets its parameter lines 1 and 2 (the stored user and
// password when "USACONFIG" is set, the stock ones otherwise), adds
// "lc_ctype=win1252" when no line names a character set, and opens it.
// True when connected; a failure has been shown as with OpenShowingError.
// Throws what the settings file throws (a file that cannot be written, a
// stored credential that does not unscramble).
bool ConnectFromSettings(const std::string& iniPath);

// The start-up connection. The settings file is ConnectionSettingsPath
// (`arguments` are the program's arguments after its own name). Unless
// `forceDialog` is set, a silent attempt is made when
// CheckConnectionSettings allows it; otherwise, or when it fails, the
// connection dialog is shown again and again - its settings saved and
// connected from after each "Conectar F3" - until a connection is made
// (true) or the operator cancels (false). Cancelling while SharedDatabase
// is not open asks the program to end: ProgramEndRequested.
bool StartupConnect(bool forceDialog, const std::vector<std::string>& arguments);

// Whether the last StartupConnect asked the program to end. The start-up
// reads it after the data module has been created and then leaves with
// exit status 1 instead of running the event loop.
bool ProgramEndRequested();
