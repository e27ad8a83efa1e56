// The command interpreter's entry: the command letter picks the routine.
#include "DataModulo.h"

#include "InterpreterArguments.h"

std::string TDM::ProcessCommand(const std::string& command) {
    if (command.empty()) return {};
    switch (CommandLetter(command)) {
    case 'C': return OpenOrCreateComanda(command);
    case 'R': return QueryPrice(command);
    case 'S': return GrantCommissionOnLastItem(command);
    case 'T': return ChangePriceTable(command);
    case 'B': return SelectClient(command);
    case 'U': return SelectEmployee(command);
    case 'V': return ShowTotal();
    case 'Q': return ChangeLastItemQuantity(command);
    default: return AddProduct(command);
    }
}

std::string TDM::StatusRefusal() {
    switch (CurrentComandaStatus()) {
    case csNotLoaded: return "100-A COMANDA N\xC3O FOI SELECIONADA!";
    case csBlocked: return "101-A COMANDA EST\xC1 BLOQUEADA!";
    case csCancelled: return "102-A COMANDA FOI CANCELADA, ABRA OUTRA!";
    case csUsable: break;
    }
    return {};
}

bool TDM::LoadLastItem() {
    CIN.Close();
    CIN.SelectSQL = ItemSelectSQL + " WHERE COM_CODIGO = " +
                    std::to_string(COM.FieldByName("COM_CODIGO").AsInteger()) +
                    " ORDER BY CIN_CODIGO";
    CIN.Open();
    CIN.Last();
    return CIN.FieldByName("CIN_CODIGO").AsInteger() != 0;
}

void TDM::LoadEmployeeByBadge(int badge) {
    FUN.Close();
    FUN.SelectSQL = "SELECT * FROM FUNCIONARIOS WHERE FUN_COMANDA = " + std::to_string(badge);
    FUN.Open();
}
