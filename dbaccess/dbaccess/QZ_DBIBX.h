#pragma once
// The data-access routines of the store, all on the shared connection and
// shared transaction that the data module registers before anything else
// runs on its thread. Each routine raises the database error unchanged; the writing
// ones undo their uncommitted work first, so the shared transaction stays
// active and usable.
//
// Also the connection settings: which settings file names the database and
// how its section "IBCONFIG" becomes the shared connection's name and
// parameter lines. Connecting from them with the message boxes and the
// connection dialog is in QZ_DBIBX_CONNECT.h.
#include "FieldValue.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Database;
class DataSet;
class EditableDataSet;
class Query;
class Transaction;

// The data module's connection and transaction, borrowed, never owned. Each
// thread has its own pair: a data module registers its pair on the thread
// that creates it (and again on the thread of each command), so several
// data modules, each on a thread of its own, never meet here.
extern thread_local Database* SharedDatabase;
extern thread_local Transaction* SharedTransaction;
// Bare file name of the shop database, and the sibling product's settings
// file chosen at start-up (empty when none).
extern std::string DatabaseFileName;
extern std::string SiblingIniPath;

// A new query on the shared pair with exactly this text; opened (on its
// first row) when `open` is true. The caller owns it.
std::unique_ptr<Query> CreateQuery(const std::string& sql, bool open);
// The named field of the first row as a number; 0 when it is null or there
// is no row. Throws DatabaseError for a field the result does not hold.
// The parameters fill the text's ":NAME" places.
long double ReadNumber(const std::string& fieldName, const std::string& sql, const SqlParameters& parameters = {});
// The named field of the first row, unconverted; null when there is no row.
FieldValue ReadValue(const std::string& fieldName, const std::string& sql, const SqlParameters& parameters = {});
// PostAndCommit for a store-bound editable data set; any other data set is
// left untouched.
void PostDataSet(DataSet& dataSet);
// Starts the shared transaction when needed, writes the pending record and
// commits retaining. On failure: rollback-retaining, the pending record is
// dropped (the data set shows its row as before), and the error is raised
// again. Inside an open unit of work (WorkUnit) the commit and the rollback
// are the unit's, at its end.
void PostAndCommit(EditableDataSet& dataSet);
// Runs the statements of a script separated by "^" (text after the last
// one runs too). With `plain` false the shared transaction is started when
// needed and the script is committed retaining, or rolled back retaining
// and the error raised again; inside an open unit of work, by the unit.
void RunScript(const std::string& text, bool plain);

// Runs one statement with its parameters in the shared transaction,
// committed or rolled back like RunScript with `plain` false.
void ExecuteSQL(const std::string& sql, const SqlParameters& parameters);

// ---- Connection settings: section "IBCONFIG" of a settings file ----

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
