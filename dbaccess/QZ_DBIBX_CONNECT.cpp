#include "QZ_DBIBX_CONNECT.h"

#include "Database.h"
#include "IniFile.h"
#include "ProgramFiles.h"
#include "QZ_DBIBX.h"
#include "QZ_DBIBX_SETTINGS.h"
#include "QZ_DBIBX_FORMCONNECT.h"
#include "QZ_DIALOG.h"

#include <exception>
#include <stdexcept>

namespace {

bool endRequested = false;

Database& SharedConnection() {
    if (!SharedDatabase)
        throw std::logic_error("no shared database registered");
    return *SharedDatabase;
}

void SaveDialogSettings(const TFrmIBXConnect& dialog, const std::string& iniPath) {
    const ConnectionSettings entered = dialog.EnteredSettings();
    SaveConnectionSettings(entered.IP, entered.Local, iniPath, ScrambleCredential(entered.User),
                           ScrambleCredential(entered.Password), entered.UseConfig);
}

}  // namespace

bool OpenShowingError(Database& database) {
    try {
        database.Open();
        return true;
    } catch (const std::exception& error) {
        ErrorBox("Erro ao conectar", error.what());
        return false;
    }
}

bool ConnectFromSettings(const std::string& iniPath) {
    const ConnectionSettings settings = CompleteConnectionSettings(iniPath);
    Database& database = SharedConnection();
    PrepareLogin(database, settings.IP + ":" + settings.Local, settings.UseConfig, settings.User, settings.Password);
    EnsureCharacterSetLine(database.Params);
    return OpenShowingError(database);
}

bool StartupConnect(bool forceDialog, const std::vector<std::string>& arguments) {
    endRequested = false;
    const std::string iniPath = ConnectionSettingsPath(arguments);
    TFrmIBXConnect dialog;
    if (!forceDialog && CheckConnectionSettings(iniPath) && ConnectFromSettings(iniPath))
        return true;
    for (;;) {
        dialog.Tema.ReadIni(IniFile(OwnSettingsPath(ProgramPath())));
        dialog.FIniPath = iniPath;
        dialog.FDBFileName = DatabaseFileName;
        dialog.FDatabase = &SharedConnection();
        if (!dialog.ShowModal()) {
            endRequested = !SharedConnection().IsOpen();
            return false;
        }
        SaveDialogSettings(dialog, iniPath);
        if (ConnectFromSettings(iniPath))
            return true;
    }
}

bool ProgramEndRequested() { return endRequested; }
