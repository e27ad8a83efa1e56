#include "DataModuleCreate.h"

#include "DataModulo.h"
#include "EventGuard.h"
#include "QZ_DBIBX_SETTINGS.h"
#include "QZ_DBIBX_CONNECT.h"
#include "QZ_DIALOG.h"
#include "QZ_THEME.h"

#include <exception>

bool DataModuleCreate(TDM& dataModule, TQZTheme& tema, const std::vector<std::string>& arguments) {
    tema.ReadIni();
    UseShopDatabase();
    bool connected = false;
    try {
        connected = StartupConnect(false, arguments);
    } catch (const std::exception& e) {
        // A settings file that cannot be read or written: no connection can
        // be made from it, and the dialog would fail on it again.
        ErrorBox("Erro ao conectar", e.what());
        ErrorBox("Erro", "Não foi possível conectar ao banco de dados !");
        return false;
    }
    if (!connected) {
        ErrorBox("Erro", "Não foi possível conectar ao banco de dados !");
        return !ProgramEndRequested();
    }
    RunGuarded([&dataModule] { dataModule.PrepareCommands(); });
    return true;
}
