// The command interpreter's entry: each command is one unit of work, tried
// again after a conflict, and the command letter picks the routine.
#include "DataModulo.h"

#include "DatabaseError.h"
#include "StoreStatements.h"
#include "WorkUnit.h"

std::string TDM::ProcessCommand(const std::string& command) {
    if (command.empty())
        return {};
    RegisterSharedPair();
    if (connectionLost_)
        Reconnect();
    for (int retry = 1;; ++retry) {
        try {
            return RunWhole(command);
        } catch (const DatabaseError& error) {
            connectionLost_ = error.IsConnectionLost();
            if (!error.IsLockConflict() || retry > Retry.retries)
                throw;
        }
        Retry.PauseBefore(retry);
    }
}

void TDM::Reconnect() {
    BaseDados.Reconnect();
    const auto number = static_cast<int>(COM.FieldByName("COM_NUMERO").AsInteger());
    if (number != 0 && ComandaExists(number)) {
        LoadComanda(number);
        LoadLastItem();
    }
    connectionLost_ = false;  // only now: a failure on the way means connecting again next time
}

std::string TDM::RunWhole(const std::string& command) {
    CommandState before = SavedState();
    try {
        WorkUnit work(DBTrans);
        std::string reply = RunCommand(command);
        work.Commit();
        return reply;
    } catch (...) {
        Restore(std::move(before));
        throw;
    }
}

TDM::CommandState TDM::SavedState() const { return {COM.CurrentView(), CIN.CurrentView(), displayPrompt_}; }

void TDM::Restore(CommandState state) {
    for (DataSet* cursor : {&PRO, &CBL, &CON, &FUN, &CAF})
        cursor->Cancel();
    COM.Restore(std::move(state.comanda));
    CIN.Restore(std::move(state.item));
    displayPrompt_ = std::move(state.prompt);
}

std::string TDM::RunCommand(const std::string& command) { return DispatchCommand(*this, command); }

std::string TDM::StatusRefusal() {
    switch (CurrentComandaStatus()) {
    case csNotLoaded: return "100-A COMANDA N\xC3O FOI SELECIONADA!";
    case csBlocked: return "101-A COMANDA EST\xC1 BLOQUEADA!";
    case csCancelled: return "102-A COMANDA FOI CANCELADA, ABRA OUTRA!";
    case csUsable: break;
    }
    return {};
}

void TDM::LockLoadedComanda() {
    if (!COM.IsEmpty())
        COM.RefreshCurrentRow(StoreStatements::kComandaLock);
}

bool TDM::LoadLastItem() {
    LoadComandaItems(COM.FieldByName("COM_CODIGO").AsInteger());
    return CIN.FieldByName("CIN_CODIGO").AsInteger() != 0;
}

void TDM::LoadEmployeeByBadge(int badge) { Retarget(FUN, StoreStatements::kEmployeeByBadge, {{"FUN_COMANDA", badge}}); }
