#pragma once
// The data module: the store connection and its one transaction, the
// cursors over the shop tables, the settings row, the order-tab operations
// and the command interpreter with its state (one current tab for the whole
// program).
//
// Where the members live:
//   DataModulo.cpp                   construction, the cursors and their
//                                    statements, PrepareCommands, the loaders
//                                    (Retarget, LoadComanda, LoadComandaItems)
//                                    and ServerNow
//   ComandaOperations.cpp            the order-tab operations, from
//                                    FindProductByBarcode to RecalculateTotals
//   ComandaLog.cpp                   LogComandaEvent
//   Commission.cpp                   GrantCommission
//   InterpreterDispatch.cpp          ProcessCommand: the whole command, its
//                                    retries, reconnecting and putting back;
//                                    the hand-over to DispatchCommand
//                                    (CommandDispatch.h) and the helpers the
//                                    command routines share
//   CommitOutcome.cpp                after a commit that lost its answer:
//                                    learning its outcome, the commands
//                                    whose outcome is unknown, Interrupt
//   InterpreterComandaCommands.cpp   C, T, B, U and V
//   InterpreterItemCommands.cpp      R, S, Q and adding a product
#include "CommandDispatch.h"
#include "CommandInterpreter.h"
#include "ConflictRetry.h"
#include "Database.h"
#include "EditableDataSet.h"
#include "FixedPoint.h"
#include "Query.h"
#include "SqlDateTime.h"
#include "Transaction.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class DatabaseError;

// CurrentComandaStatus and AddItem results.
enum TComandaStatus {
    csUsable = 0,     // a tab is loaded and may be used
    csNotLoaded = 1,  // no tab is loaded (the loaded COM_NUMERO reads 0)
    csBlocked = 2,    // the loaded tab's number is in COMANDASBLOQUEADAS
    csCancelled = 3,  // the loaded tab's number is no longer in COMANDAS
};

class TDM : public CommandInterpreter, private CommandRoutines {
public:
    // Not connected yet: the cursors carry their statements and BaseDados /
    // DBTrans are registered as this thread's shared pair of the data-access
    // routines. Data modules on threads of their own never interfere; one
    // data module is used by one thread at a time.
    TDM();
    // Connects to the store (a file path or "host:path") and prepares for
    // commands (PrepareCommands). Throws DatabaseError.
    TDM(const std::string& connectionString, const std::string& user, const std::string& password);
    ~TDM() override;
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    // Once connected: saves the base selects of COM and CIN, reads the
    // CONFIGURA row (here and nowhere else) and sets the prompt "Comanda:".
    // Throws DatabaseError (the prompt then stays empty).
    void PrepareCommands();

    Database BaseDados;
    Transaction DBTrans;

    EditableDataSet COM;  // COMANDAS joined with CONTATOS (the loaded tab)
    EditableDataSet CIN;  // COMANDASITENS (the loaded tab's items)
    EditableDataSet PRO;  // PRODUTOS
    EditableDataSet CBL;  // COMANDASBLOQUEADAS
    EditableDataSet CON;  // CONTATOS
    EditableDataSet FUN;  // FUNCIONARIOS
    EditableDataSet CAF;  // CAIXAFUN
    Query QCFG;           // the CONFIGURA settings row

    // How a command that met another terminal's or the shop system's lock
    // is tried again (tests give it a sleeper that does not wait).
    ConflictRetry Retry;

    // Base selects of COM and CIN, each line ending in a line break, so an
    // appended clause starts on a line of its own.
    std::string ComandaSelectSQL;
    std::string ItemSelectSQL;

    // ---- Order-tab operations (all database errors pass through) ----

    // PRO_CODIGO of the first product with that bar code, 0 when none;
    // leaves PRO on it. A code longer than the store's bar codes finds none
    // (PRO closed) without asking the store.
    int FindProductByBarcode(const std::string& barcode);
    // Unit price from SP_GETPRECO at price table 0 (tableZero) or the loaded
    // tab's table; 0 when the procedure gives no row or null.
    FixedPoint GetProductPrice(int product, bool tableZero);
    bool IsComandaBlocked(int number);
    bool ComandaExists(int number);
    TComandaStatus CurrentComandaStatus();
    // Loads tab `number` into COM and its last item into CIN; logs the
    // opening.
    void OpenComanda(int number);
    // Inserts tab `number` with the shop's defaults, loads it and its (no)
    // items; logs the creation. All of it or nothing is committed.
    void CreateComanda(int number);
    // Whether the tab being created in COM gets the service fee.
    bool ServiceFeeApplies();
    // Inserts an item on the loaded tab (CIN then on it), logs it and
    // rewrites the tab's totals, all of it or nothing committed. Writes
    // nothing unless the status is usable. The product add calls it holding
    // the tab's row (see RecalculateTotals).
    TComandaStatus AddItem(int product, FixedPoint quantity, FixedPoint price);
    // Puts COM in edit with COM_QTDE and COM_TOTAL summed by the server over
    // the loaded tab's items as they now stand; the caller writes the tab.
    // Commands call it holding the tab's row (LockLoadedComanda) until their
    // end, so no other terminal's item is half-way.
    void RecalculateTotals();
    // Audit-log entry through SP_ADDCOMANDALOG for the loaded tab (none
    // when no tab is loaded).
    void LogComandaEvent(const std::string& message);
    // Commission for the employee loaded in FUN on the item loaded in CIN;
    // returns the reply text.
    std::string GrantCommission();

    // ---- Command interpreter (orders/Interpreter*.cpp) ----

    // Runs one terminal command line (Windows-1252, trimmed) and returns the
    // coded reply; "" for an empty line. Business refusals are replies. The
    // command's writes are committed together at its end; any error rolls
    // all of them back and puts the loaded tab, its item and the prompt back
    // as they were. A conflict with another transaction is tried again as
    // Retry says; any other error, and a conflict that outlasts the retries,
    // passes through. A command that meets a lost connection before its
    // commit is sent runs once more on a new connection (same settings, the
    // loaded tab reloaded by its number). When the commit itself lost its
    // answer, the store is asked, again and again for OutcomeBound while it
    // cannot be reached: a command whose first inserted row is there gives
    // its own reply; one known not stored (or that inserted nothing, its
    // writes only setting values) runs once more; when the bound passes (or
    // Interrupt comes) the reply is kUnknownOutcomeReply and the command is
    // kept to be settled (ResolveUnknownOutcomes). While the store stays
    // unreachable each command fails and the next tries again.
    Windows1252Text ProcessCommand(const Windows1252Text& command) override;
    void Interrupt() override;
    std::vector<std::string> UnknownOutcomes() const override;
    std::vector<std::string> ResolveUnknownOutcomes() override;

    // How long a command whose commit lost its answer goes on trying to
    // learn its outcome, and the pause between two tries.
    std::chrono::milliseconds OutcomeBound{25000};
    std::chrono::milliseconds OutcomePause{500};
    // How long the look-up of a row waits for a transaction still writing
    // it: below Database::StalledCallBound, so the stall watch leaves it be.
    static constexpr int kOutcomeLockWaitSeconds = 4;
    // The text shown ahead of the typed keys: "Comanda:" once prepared,
    // "Comanda " + number + ":" after each tab opened or created.
    Windows1252Text DisplayPrompt() const override { return Windows1252Text(displayPrompt_); }

private:
    // What a failed command puts back.
    struct CommandState {
        DataSet::View comanda;
        DataSet::View item;
        std::string prompt;
    };
    CommandState SavedState() const;
    // Also drops the pending record of every cursor.
    void Restore(CommandState state);

    // A new connection with the settings of the last one, and the loaded tab
    // (when it is still in the store) read again by its number.
    void Reconnect();
    // One attempt at a command, committed whole or rolled back whole. When
    // its commit lost its answer: its reply when the store holds it, else
    // the lost-connection error (nothing of it stored, the connection new).
    std::string RunWhole(const std::string& command);
    // After a commit that lost its answer: connects again and asks whether
    // the command's first inserted row is in the store, for OutcomeBound
    // at most; none when the bound passed or Interrupt came. A command that
    // inserted nothing counts as not stored (it runs once more).
    std::optional<bool> StoredDespiteLostCommit(const std::vector<InsertedRow>& written);
    // Whether a command that inserted nothing and whose commit lost its
    // answer may run once more (its outcome cannot be looked up): its writes
    // set values (T, B, U, V, C on an existing tab), so a second run leaves
    // the store as the first would have; not so for Q when the tab's last
    // item is no longer `lastItem`, the one the first run changed. Asked on
    // the new connection, with the tab and its last item read again.
    bool RunningAgainIsHarmless(const std::string& command, std::int64_t lastItem);
    // A command answered kUnknownOutcomeReply, to be settled later; `row`
    // empty when it inserted none.
    struct UnknownOutcome {
        std::string command;
        std::optional<InsertedRow> row;
    };
    // Waits `pause`, less when Interrupt comes; false when it came.
    bool PauseUnlessInterrupted(std::chrono::milliseconds pause) const;
    // The command letter picks the routine (DispatchCommand); returns its reply.
    std::string RunCommand(const std::string& command);
    // The store side of each command (CommandRoutines).
    std::string OpenOrCreateComanda(int number) override;                        // C
    std::string QueryPrice(const std::string& code) override;                    // R
    std::string GrantCommissionOnLastItem(int badge) override;                   // S
    std::string ChangePriceTable(int table, const std::string& typed) override;  // T
    std::string SelectClient(int client) override;                               // B
    std::string SelectEmployee(int badge) override;                              // U
    std::string ShowTotal() override;                                            // V
    std::string ChangeLastItemQuantity(double quantity) override;                // Q
    std::string AddProduct(const std::string& line) override;                    // anything else

    // The refusal for a loaded tab that may not be used, "" when it may.
    std::string StatusRefusal();
    // Holds the settings row until the command ends, so terminals creating
    // tabs take turns and a new number keyed on several at once makes one
    // tab (the others then open it).
    void HoldTabCreation();
    // Locks the loaded tab's row until the command ends, so no other terminal
    // changes its items or totals meanwhile, and takes its totals, price
    // table, client with its credit and employee as they now stand (other
    // terminals may have changed them). A tab no longer in the store, or
    // none, stays as loaded.
    void LockLoadedComanda();
    // Re-reads the loaded tab's last item into CIN; false when there is none
    // (or no tab is loaded).
    bool LoadLastItem();
    // Re-targets FUN on the employee whose tab badge is `badge`.
    void LoadEmployeeByBadge(int badge);

    // Makes BaseDados and DBTrans the shared pair of the calling thread.
    void RegisterSharedPair();
    void DefineCursors();
    // Closes the cursor, gives it this select and its parameters, opens it.
    static void Retarget(EditableDataSet& cursor, const std::string& sql, SqlParameters parameters);
    // Re-targets COM on the tab with that number.
    void LoadComanda(int number);
    // Re-targets CIN on the last item of the tab with that code (no row when
    // it has none): no command needs the others.
    void LoadComandaItems(std::int64_t comandaCode);
    // The server's date and time from SP_SERVERDATE / SP_SERVERTIME; a null
    // result is an error (there is no fallback to the local clock).
    struct ServerMoment {
        SqlDate date;
        SqlTime time;
    };
    ServerMoment ServerNow();

    std::string displayPrompt_;    // empty until PrepareCommands succeeded
    bool connectionLost_ = false;  // the last command failed for want of a connection
    std::atomic<bool> interrupted_ = false;
    std::vector<UnknownOutcome> unknownOutcomes_;
};
