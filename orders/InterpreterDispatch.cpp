// The command interpreter's entry: each command is one unit of work, tried
// again after a conflict, and the command letter picks the routine.
#include "DataModulo.h"

#include "DatabaseError.h"
#include "InterpreterArguments.h"
#include "StoreStatements.h"
#include "WorkUnit.h"

#include <optional>
#include <vector>

Windows1252Text TDM::ProcessCommand(const Windows1252Text& command) {
    if (command.empty())
        return {};
    RegisterSharedPair();
    if (connectionLost_)
        Reconnect();
    bool ranAgainAfterOutage = false;
    for (int retry = 1;;) {
        try {
            return Windows1252Text(RunWhole(command.Bytes()));
        } catch (const DatabaseError& error) {
            if (interrupted_)
                throw;  // stopped: nothing of it is stored, and it is not run again
            if (error.IsConnectionLost() && !ranAgainAfterOutage) {
                // Nothing of the command is stored: once more, on a new connection.
                ranAgainAfterOutage = true;
                if (connectionLost_)
                    Reconnect();
                continue;
            }
            if (!error.IsLockConflict() || retry > Retry.retries)
                throw;
        }
        Retry.PauseBefore(retry++);
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
    std::string reply;
    std::optional<DatabaseError> lostCommit;
    std::vector<InsertedRow> written;
    std::int64_t lastItem = 0;
    try {
        WorkUnit work(DBTrans);
        reply = RunCommand(command);
        lastItem = CIN.FieldByName("CIN_CODIGO").AsInteger();
        try {
            work.Commit();
            return reply;
        } catch (const DatabaseError& error) {
            if (!error.IsConnectionLost())
                throw;
            lostCommit = error;
            written = work.InsertedRows();
        }
    } catch (const DatabaseError& error) {
        if (error.IsConnectionLost())
            connectionLost_ = true;
        Restore(std::move(before));
        throw;
    } catch (...) {
        Restore(std::move(before));
        throw;
    }
    // The commit was sent and its answer lost: the store tells what came of it.
    connectionLost_ = true;
    std::optional<bool> stored;
    try {
        stored = StoredDespiteLostCommit(written);
    } catch (...) {
        Restore(std::move(before));
        throw;
    }
    if (stored == true)
        return reply;
    if (stored == false && written.empty() && !RunningAgainIsHarmless(command, lastItem))
        stored.reset();
    Restore(std::move(before));
    if (!stored) {
        unknownOutcomes_.push_back({command, written.empty() ? std::nullopt : std::optional(written.front())});
        return kUnknownOutcomeReply;
    }
    throw *lostCommit;  // known not stored: ProcessCommand runs it once more
}

bool TDM::RunningAgainIsHarmless(const std::string& command, std::int64_t lastItem) {
    // Q sets the quantity of the tab's last item: run again after another
    // terminal added an item, it would change that one instead.
    return CommandLetter(command) != 'Q' || CIN.FieldByName("CIN_CODIGO").AsInteger() == lastItem;
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
