// A command happens whole or not at all: whatever step fails, the store, the
// loaded tab and the prompt are left as they were before the command, and
// the tab stays usable.
#include "CommandReply.h"
#include "DataModulo.h"
#include "Database.h"
#include "DatabaseError.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

struct FailedCommandCase {
    const char* name;
    std::vector<std::string> schemaChanges;  // made before the data module starts
    const char* failing;                     // the command that fails, after C1 and one item
};

const FailedCommandCase kFailedCommands[] = {
    {"item stored, tab write refused", {"ALTER TABLE COMANDAS ADD CONSTRAINT CK_TOTAL CHECK (COM_TOTAL < 5)"}, "789"},
    {"item changed, tab write refused", {"ALTER TABLE COMANDAS ADD CONSTRAINT CK_QTDE CHECK (COM_QTDE < 2)"}, "Q3"},
    {"log entry refused after the item",
     {"ALTER TABLE COMANDASLOG ADD CONSTRAINT CK_LOG CHECK (COM_TOTAL < 1)"},
     "789"},
};

// Items, their sums, the tab's totals and the log entries, in one text.
std::string StoredTab(const StoreTestDatabase& db) {
    return db
        .Value(
            "SELECT (SELECT COUNT(*) || '/' || SUM(CIN_QTDE) || '/' || SUM(CIN_QTDE * CIN_VALOR) "
            "FROM COMANDASITENS) || ' tab ' || COM_QTDE || '/' || COM_TOTAL || ' log ' || "
            "(SELECT COUNT(*) FROM COMANDASLOG) FROM COMANDAS WHERE COM_NUMERO = 1")
        .AsText()
        .Bytes();
}

}  // namespace

TEST(WholeCommandTest, FailureHalfwayLeavesNothingAndTheTabStaysUsable) {
    for (const auto& c : kFailedCommands) {
        SCOPED_TRACE(c.name);
        StoreTestDatabase db(StoreTestDatabase::Access::Server);
        db.SeedBasicShop();
        db.Execute(
            "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1) VALUES (1, '789', 'CAFE', 4.5)");
        for (const auto& change : c.schemaChanges)
            db.Execute(change);
        TDM dm(db.ConnectionString(), db.User(), db.Password());
        ASSERT_EQ(RunCommand(dm, "C1"), "000-A COMANDA 1 FOI CRIADA!");
        ASSERT_EQ(RunCommand(dm, "789"), "000-PRODUTO CAFE ADICIONADO!");
        const std::string before = StoredTab(db);

        EXPECT_THROW(RunCommand(dm, c.failing), DatabaseError);
        EXPECT_EQ(StoredTab(db), before);
        EXPECT_EQ(dm.COM.State(), DataSetState::dsBrowse);
        EXPECT_EQ(dm.CIN.State(), DataSetState::dsBrowse);

        // The tab takes the next command and its totals stay the sums of its items.
        EXPECT_EQ(RunCommand(dm, "Q0,5"), "000-QUANTIDADE DO PRODUTO ALTERADA PARA 0,5");
        EXPECT_EQ(RunCommand(dm, "V"), "000-TOTAL DA COMANDA: R$ 2,25");
        EXPECT_EQ(db.Value("SELECT COM_QTDE || '/' || COM_TOTAL FROM COMANDAS").AsText(),
                  Windows1252Text("0.500/2.25"));
    }
}

TEST(WholeCommandTest, FailedOpeningKeepsThePreviousTabAndPrompt) {
    StoreTestDatabase db(StoreTestDatabase::Access::Server);
    db.SeedBasicShop();
    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1) VALUES (1, '789', 'CAFE', 4.5)");
    db.Execute("ALTER TABLE COMANDASLOG ADD CONSTRAINT CK_LOG CHECK (COM_NUMERO <> 2)");
    TDM dm(db.ConnectionString(), db.User(), db.Password());
    RunCommand(dm, "C1");

    EXPECT_THROW(RunCommand(dm, "C2"), DatabaseError);  // tab 2 written, its log entry refused
    EXPECT_EQ(db.Value("SELECT LIST(COM_NUMERO) FROM COMANDAS").AsText(), Windows1252Text("1"));
    EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda 1:"));
    EXPECT_EQ(RunCommand(dm, "789"), "000-PRODUTO CAFE ADICIONADO!");
    EXPECT_EQ(db.Value("SELECT COM_TOTAL FROM COMANDAS WHERE COM_NUMERO = 1").AsText(), Windows1252Text("4.50"));
}

TEST(WholeCommandTest, ConflictWithTheCashDeskIsTriedAgainThenReported) {
    StoreTestDatabase db(StoreTestDatabase::Access::Server);
    db.SeedBasicShop();
    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1) VALUES (1, '789', 'CAFE', 4.5)");
    TDM dm(db.ConnectionString(), db.User(), db.Password());
    RunCommand(dm, "C1");
    std::vector<long> pauses;
    dm.Retry.sleep = [&pauses](std::chrono::milliseconds pause) { pauses.push_back(pause.count()); };

    Database cashDesk(db.ConnectionString(), db.User(), db.Password());
    Transaction payment(cashDesk);
    Statement(payment, "UPDATE COMANDAS SET COM_DINHEIROPAGO = 1").Run();  // holds the tab's row
    try {
        RunCommand(dm, "789");
        ADD_FAILURE() << "added to a held tab";
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(error.IsLockConflict()) << error.what();
    }
    EXPECT_EQ(pauses.size(), static_cast<std::size_t>(dm.Retry.retries));
    for (long pause : pauses)
        EXPECT_TRUE(pause >= 1 && pause <= ConflictRetry::kLongestPauseMs) << pause;
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM COMANDASITENS").AsInteger(), 0);

    // The cash desk finishes during the third pause: the item goes in once.
    pauses.clear();
    dm.Retry.sleep = [&](std::chrono::milliseconds pause) {
        pauses.push_back(pause.count());
        if (pauses.size() == 3)
            payment.Commit();
    };
    EXPECT_EQ(RunCommand(dm, "789"), "000-PRODUTO CAFE ADICIONADO!");
    EXPECT_EQ(pauses.size(), 3u);
    EXPECT_EQ(db.Value("SELECT (SELECT COUNT(*) FROM COMANDASITENS) || '/' || COM_TOTAL || '/' || COM_DINHEIROPAGO "
                       "FROM COMANDAS")
                  .AsText(),
              Windows1252Text("1/4.50/1.00"));
}

TEST(WholeCommandTest, StopDuringConflictRetriesEndsTheCommandAtOnceWithNothingStored) {
    StoreTestDatabase db(StoreTestDatabase::Access::Server);
    db.SeedBasicShop();
    db.Execute("INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1) VALUES (1, '789', 'CAFE', 4.5)");
    TDM dm(db.ConnectionString(), db.User(), db.Password());
    RunCommand(dm, "C1");
    Database cashDesk(db.ConnectionString(), db.User(), db.Password());
    Transaction payment(cashDesk);
    Statement(payment, "UPDATE COMANDAS SET COM_DINHEIROPAGO = 1").Run();  // holds the tab's row

    // The service stops during the third pause.
    int pauses = 0;
    dm.Retry.sleep = [&](std::chrono::milliseconds) {
        if (++pauses == 3)
            dm.Interrupt();
    };
    EXPECT_THROW(RunCommand(dm, "789"), DatabaseError);
    EXPECT_EQ(pauses, 3);
    payment.Commit();
    EXPECT_EQ(db.Value("SELECT COUNT(*) FROM COMANDASITENS").AsInteger(), 0);
}
