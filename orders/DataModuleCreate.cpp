#include "DataModuleCreate.h"

#include "DataModulo.h"
#include "EventGuard.h"
#include "QZ_DBIBX.h"
#include "QZ_DBIBX_CONNECT.h"
#include "QZ_DIALOG.h"
#include "QZ_THEME.h"

bool DataModuleCreate(TDM& dataModule, TQZTheme& tema, const std::vector<std::string>& arguments) {
    tema.ReadIni();
    DatabaseFileName = "DBEMPRESA.FDB";
    SiblingIniPath = FindSiblingIni();
    if (!StartupConnect(false, arguments)) {
        ErrorBox("Erro", "Não foi possível conectar ao banco de dados !");
        return false;
    }
    RunGuarded([&dataModule] { dataModule.PrepareCommands(); });
    return true;
}
