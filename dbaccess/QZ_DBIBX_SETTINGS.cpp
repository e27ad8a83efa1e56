// The connection settings of the QZ_DBIBX unit: where they are kept and how
// they become the shared connection's name and parameter lines. The file
// holds Windows-1252 text, the connection takes UTF-8: the values are
// converted here, as they are read and written, and nowhere else.
#include "QZ_DBIBX_SETTINGS.h"

#include "Database.h"
#include "FilePermissions.h"
#include "IniFile.h"
#include "ProgramFiles.h"
#include "QZ_CRIPTO.h"
#include "Trim.h"
#include "Windows1252.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>

std::string DatabaseFileName;
std::string SiblingIniPath;

namespace {

constexpr int kSiblingCount = 13;
constexpr std::string_view kSwitch = "CFG=";

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// A value of the section in UTF-8; the default too.
std::string ReadText(const IniFile& settings, const char* key, const std::string& defaultValue) {
    return Windows1252ToUtf8(
        Windows1252Text(settings.ReadString(kConnectionSection, key, Utf8ToWindows1252(defaultValue).Bytes())));
}

void WriteText(IniFile& settings, const char* key, const std::string& value) {
    settings.WriteString(kConnectionSection, key, Utf8ToWindows1252(value).Bytes());
}

void WriteWhenMissing(IniFile& settings, const char* key, const std::string& value) {
    if (!settings.ValueExists(kConnectionSection, key))
        WriteText(settings, key, value);
}

// A stored user name or password in clear; what is scrambled are its
// Windows-1252 bytes.
std::string ReadCredential(const IniFile& settings, const char* key) {
    return Windows1252ToUtf8(
        Windows1252Text(Unscramble(settings.ReadString(kConnectionSection, key, ""), kCredentialKey)));
}

// The settings files hold the database login, so the ones made here are
// private whatever the umask.
IniFile CredentialsFile(const std::string& iniPath) { return IniFile(iniPath, IniFile::NewFileMode::Private); }

bool HoldsCredentials(const IniFile& settings) {
    return !settings.ReadString(kConnectionSection, "USUARIO", "").empty() ||
           !settings.ReadString(kConnectionSection, "SENHA", "").empty();
}

// After a user name or password went into a file that others may read.
void KeepCredentialsFromOthers(const std::string& iniPath) {
    if (!ReadableByOthers(iniPath))
        return;
    try {
        NarrowToOwnerAndGroupRead(iniPath);
        std::cerr << "As permissões de " << iniPath
                  << " foram restritas ao dono e ao grupo: o arquivo guarda o usuário e a senha do banco de dados."
                  << std::endl;
    } catch (const std::filesystem::filesystem_error& error) {
        std::cerr << "O arquivo " << iniPath
                  << " guarda o usuário e a senha do banco de dados e pode ser lido por outros usuários: "
                  << error.code().message() << std::endl;
    }
}

}  // namespace

std::string DefaultDatabasePath(const std::string& databaseFileName) {
    return ProgramFolder() + "Dados/" + databaseFileName;
}

std::string FindSiblingIni() {
    std::string found;
    for (int position = 1; position <= kSiblingCount; ++position) {
        char name[32];  // room for any int, so the compiler sees no truncation
        std::snprintf(name, sizeof name, "korvi%02d.ini", position);
        const std::string path = ProgramFolder() + name;
        if (FileExists(path))
            found = path;
    }
    return found;
}

void UseShopDatabase() {
    DatabaseFileName = "DBEMPRESA.FDB";
    SiblingIniPath = FindSiblingIni();
}

bool IsSettingsSwitch(const std::string& argument) {
    if (argument.size() < kSwitch.size())
        return false;
    for (std::size_t i = 0; i < kSwitch.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(argument[i])) != kSwitch[i])
            return false;
    return true;
}

std::string ConnectionSettingsPath(const std::vector<std::string>& arguments) {
    if (!arguments.empty() && IsSettingsSwitch(arguments.front()))
        return arguments.front().substr(kSwitch.size());
    return SiblingIniPath.empty() ? OwnSettingsPath(ProgramPath()) : SiblingIniPath;
}

bool CheckConnectionSettings(const std::string& iniPath) {
    if (FileExists(DefaultDatabasePath(DatabaseFileName)))
        return true;
    if (!FileExists(iniPath))
        return false;
    const IniFile settings(iniPath);
    return settings.ValueExists(kConnectionSection, "IP") && settings.ValueExists(kConnectionSection, "LOCAL");
}

ConnectionSettings ReadConnectionSettings(const std::string& iniPath, const std::string& databaseFileName) {
    const IniFile settings(iniPath);
    ConnectionSettings read;
    read.IP = ReadText(settings, "IP", kDefaultIP);
    read.Local = ReadText(settings, "LOCAL", DefaultDatabasePath(databaseFileName));
    read.User = ReadCredential(settings, "USUARIO");
    read.Password = ReadCredential(settings, "SENHA");
    read.UseConfig = settings.ReadInteger(kConnectionSection, "USACONFIG", 0) != 0;
    return read;
}

ConnectionSettings CompleteConnectionSettings(const std::string& iniPath) {
    IniFile settings = CredentialsFile(iniPath);
    WriteWhenMissing(settings, "IP", kDefaultIP);
    if (quorvel::IsBlank(settings.ReadString(kConnectionSection, "IP", kDefaultIP)))
        settings.WriteString(kConnectionSection, "IP", kDefaultIP);
    WriteWhenMissing(settings, "LOCAL", DefaultDatabasePath(DatabaseFileName));
    WriteWhenMissing(settings, "USUARIO", "");
    WriteWhenMissing(settings, "SENHA", "");
    WriteWhenMissing(settings, "USACONFIG", "0");
    return ReadConnectionSettings(iniPath, DatabaseFileName);
}

void SaveConnectionSettings(const std::string& ip, const std::string& localPath, const std::string& iniPath,
                            const std::string& scrambledUser, const std::string& scrambledPassword, bool useConfig) {
    IniFile settings = CredentialsFile(iniPath);
    WriteText(settings, "IP", ip);
    WriteText(settings, "LOCAL", localPath);
    settings.WriteString(kConnectionSection, "USUARIO", scrambledUser);
    settings.WriteString(kConnectionSection, "SENHA", scrambledPassword);
    settings.WriteString(kConnectionSection, "USACONFIG", useConfig ? "1" : "0");
    if (!scrambledUser.empty() || !scrambledPassword.empty())
        KeepCredentialsFromOthers(iniPath);
}

bool CredentialsReadableByOthers(const std::string& iniPath) {
    return ReadableByOthers(iniPath) && HoldsCredentials(IniFile(iniPath));
}

std::string ScrambleCredential(const std::string& clear) {
    return Scramble(Utf8ToWindows1252(clear).Bytes(), kCredentialKey);
}

void PrepareLogin(Database& database, const std::string& databaseName, bool useConfig, const std::string& user,
                  const std::string& password) {
    database.Close();
    database.DatabaseName = databaseName;
    if (database.Params.size() < 2)
        database.Params.resize(2);
    database.Params[0] = "user_name=" + (useConfig ? user : "SYSDBA");
    database.Params[1] = "password=" + (useConfig ? password : "portaluce");
}

void EnsureCharacterSetLine(std::vector<std::string>& params) {
    for (const std::string& line : params)
        if (line.find("lc_ctype") != std::string::npos)
            return;
    params.push_back("lc_ctype=win1252");
}
