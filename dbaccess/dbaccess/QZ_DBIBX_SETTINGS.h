#pragma once
// The connection settings: which settings file names the shop database and
// how its section "IBCONFIG" becomes the shared connection's name and
// parameter lines. Connecting from them, with the message boxes and the
// connection dialog, is in QZ_DBIBX_CONNECT.h.
#include <string>
#include <string_view>
#include <vector>

class Database;

// Bare file name of the shop database, and the sibling product's settings
// file chosen at start-up (empty when none).
extern std::string DatabaseFileName;
extern std::string SiblingIniPath;

// The settings files' section that holds the connection.
inline constexpr const char* kConnectionSection = "IBCONFIG";
// The key the stored user name and password are scrambled with.
inline constexpr std::string_view kCredentialKey = "VELASTRO";
// The server address for a missing or blank one: this computer.
inline constexpr const char* kDefaultIP = "127.0.0.1";

// The database beside the program: program folder + "Dados/" + the bare
// file name (DatabaseFileName).
std::string DefaultDatabasePath(const std::string& databaseFileName);

// The sibling product's settings file: the last of "korvi01.ini" to
// "korvi13.ini" that exists in the program folder; "" when none does.
std::string FindSiblingIni();

// What every program of the shop connects to: names the database file
// "DBEMPRESA.FDB" (DatabaseFileName) and takes the sibling product's
// settings file (SiblingIniPath = FindSiblingIni()).
void UseShopDatabase();

// Whether the argument is the settings switch "CFG=" + path (the prefix in
// any case).
bool IsSettingsSwitch(const std::string& argument);

// The file StartupConnect reads and writes: SiblingIniPath, or the
// program's own settings file when that is empty; but a first argument
// "CFG=" + path (the prefix in any case) names the file instead, the path
// used unchanged (a relative one is taken from the current folder).
// `arguments` are the program's arguments after its own name.
std::string ConnectionSettingsPath(const std::vector<std::string>& arguments);

// Whether a silent connection attempt is worth making: a database lies at
// DefaultDatabasePath (the file is then not looked at), or the file holds
// both "IP" and "LOCAL" in "IBCONFIG" (an empty value counts).
bool CheckConnectionSettings(const std::string& iniPath);

// Section "IBCONFIG" as the connection uses it, user and password in clear.
// The file holds Windows-1252 text; these values are UTF-8, the text the
// connection (Database) and the dialog's boxes take.
struct ConnectionSettings {
    std::string IP;
    std::string Local;
    std::string User;
    std::string Password;
    bool UseConfig = false;
};

// Reads the section without writing: "IP" defaults to "127.0.0.1", "LOCAL"
// to DefaultDatabasePath(databaseFileName), the credentials to "", "USACONFIG" to false (a
// value that is not a number counts as false). Throws std::invalid_argument
// for a stored user name or password that does not unscramble.
ConnectionSettings ReadConnectionSettings(const std::string& iniPath, const std::string& databaseFileName);

// The same with DatabaseFileName, for connecting: every missing key is
// first written with its default, and an "IP" that is blank is replaced by "127.0.0.1" in the file
// too. Throws std::runtime_error when the file cannot be written. A file
// made here is readable and writable by its owner only.
ConnectionSettings CompleteConnectionSettings(const std::string& iniPath);

// Writes "IP", "LOCAL", "USUARIO", "SENHA" and "USACONFIG" ("1" or "0") in
// this order; the address and the path in UTF-8 (the file gets them in
// Windows-1252, a character the code page lacks as "?"), the credentials
// already scrambled (ScrambleCredential). A file made here is readable and
// writable by its owner only. When a user name or password is written into
// a file that others may read, the file is narrowed to its owner and group
// (NarrowToOwnerAndGroupRead) and a line on standard error says so, or says
// that it could not be done.
void SaveConnectionSettings(const std::string& ip, const std::string& localPath, const std::string& iniPath,
                            const std::string& scrambledUser, const std::string& scrambledPassword, bool useConfig);

// The stored form of a user name or password given in UTF-8: its
// Windows-1252 bytes scrambled with kCredentialKey.
std::string ScrambleCredential(const std::string& clear);

// Whether the file holds a user name or password ("USUARIO" or "SENHA" not
// empty in "IBCONFIG") and users other than its owner and its group may read
// it. The stored form is only scrambled, not encrypted: whoever reads the
// file has the password.
bool CredentialsReadableByOthers(const std::string& iniPath);

// Closes the database and sets its name and its parameter lines 1 and 2:
// the given user and password when `useConfig` is set, "SYSDBA" /
// "portaluce" otherwise. Other lines stay; a list shorter than two lines
// is filled up first.
void PrepareLogin(Database& database, const std::string& databaseName, bool useConfig, const std::string& user,
                  const std::string& password);

// Appends "lc_ctype=win1252" when no line contains "lc_ctype".
void EnsureCharacterSetLine(std::vector<std::string>& params);
