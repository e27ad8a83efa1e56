// Several terminals, each with a data module of its own on a thread of its
// own, working on one shop database through the server at the same time;
// logged in as the database's owner, and as the user made for the terminals
// with only the rights they need.
#include "ChildProcess.h"
#include "CommandReply.h"
#include "DataModulo.h"
#include "QZ_DBIBX.h"
#include "Statement.h"
#include "StoreTestDatabase.h"
#include "TerminalUserLogin.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <exception>
#include <functional>
#include <latch>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The owner logs in on the shop database as made (one turn for all tab
// numbers, the CONFIGURA row); the terminal user on one that
// scripts/grant-terminal-user.sh has given the terminals' own table (a turn
// per number).
enum class Login { Owner, TerminalUser };

// Conflict retries a terminal of these tests may make: far more than ever needed.
constexpr int kRetriesUntilItsTurn = 100000;

class ConcurrentTerminalsTest : public ::testing::TestWithParam<Login> {
protected:
    void SetUp() override {
        db.SeedBasicShop();
        db.Execute(
            "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1) VALUES (1, '789', 'CAFE', 4.5)");
        login = GetParam() == Login::TerminalUser ? GrantTerminalUser(db) : DatabaseLogin{db.User(), db.Password()};
    }

    // Runs `session` for each of `terminals` terminals on threads of their
    // own, each with its own data module, all starting at the same moment.
    // Returns the errors the sessions raised. Each terminal tries a command
    // that met another's lock again until it gets its turn: what these tests
    // prove (every item once, totals equal to the items, limits kept) must
    // not hang on how soon conflicts clear on a busy machine.
    std::vector<std::string> RunTerminals(int terminals, const std::function<void(int, TDM&)>& session) {
        std::latch ready(terminals);
        std::mutex guard;
        std::vector<std::string> errors;
        std::vector<std::thread> threads;
        for (int terminal = 0; terminal < terminals; ++terminal) {
            threads.emplace_back([&, terminal] {
                try {
                    TDM dm(db.ConnectionString(), login.user, login.password);
                    dm.Retry.retries = kRetriesUntilItsTurn;
                    ready.arrive_and_wait();
                    session(terminal, dm);
                } catch (const std::exception& error) {
                    const std::lock_guard lock(guard);
                    errors.push_back(error.what());
                }
            });
        }
        for (auto& thread : threads)
            thread.join();
        return errors;
    }

    // The server's next transaction number: how many transactions were
    // started up to now.
    long NextTransaction() const {
        return static_cast<long>(db.Value("SELECT MON$NEXT_TRANSACTION FROM MON$DATABASE").AsInteger());
    }

    StoreTestDatabase db{StoreTestDatabase::Access::Server};
    DatabaseLogin login;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Logins, ConcurrentTerminalsTest, ::testing::Values(Login::Owner, Login::TerminalUser),
                         [](const auto& info) { return info.param == Login::Owner ? "Owner" : "TerminalUser"; });

TEST_P(ConcurrentTerminalsTest, DataModulesOnTheirOwnThreadsKeepTheirOwnTabAndPrompt) {
    const std::vector<std::string> errors = RunTerminals(2, [](int terminal, TDM& dm) {
        const std::string number = std::to_string(terminal + 1);
        EXPECT_EQ(SharedTransaction, &dm.DBTrans);  // the other module, made meanwhile, registered on its own thread
        EXPECT_EQ(RunCommand(dm, "C" + number), "000-A COMANDA " + number + " FOI CRIADA!");
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(RunCommand(dm, "789"), "000-PRODUTO CAFE ADICIONADO!");
            EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda " + number + ":"));
        }
        EXPECT_EQ(RunCommand(dm, "V"), "000-TOTAL DA COMANDA: R$ 90,00");
    });
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(db.Value("SELECT LIST(COM_NUMERO || ':' || COM_TOTAL || ':' || (SELECT COUNT(*) FROM COMANDASITENS I "
                       "WHERE I.COM_CODIGO = C.COM_CODIGO)) FROM (SELECT * FROM COMANDAS ORDER BY COM_NUMERO) C")
                  .AsText(),
              Windows1252Text("1:90.00:20,2:90.00:20"));
}

TEST_P(ConcurrentTerminalsTest, TerminalsAddingToOneTabAllSucceedAndTheTotalsAddUp) {
    constexpr int kTerminals = 4;
    constexpr int kItems = 25;
    db.Execute("INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO, COM_QTDE, COM_TOTAL) VALUES (1, 7, 1, 0, 0)");
    const std::vector<std::string> errors = RunTerminals(kTerminals, [](int, TDM& dm) {
        ASSERT_EQ(RunCommand(dm, "C7"), "000-A COMANDA 7 FOI ABERTA!");
        for (int i = 0; i < kItems; ++i)
            EXPECT_EQ(RunCommand(dm, "789"), "000-PRODUTO CAFE ADICIONADO!");
    });
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(db.Value("SELECT COUNT(*) || '/' || SUM(CIN_QTDE) || '/' || SUM(CIN_QTDE * CIN_VALOR) FROM COMANDASITENS")
                  .AsText(),
              Windows1252Text("100/100.000/450.00000"));
    EXPECT_EQ(db.Value("SELECT COM_QTDE || '/' || COM_TOTAL FROM COMANDAS").AsText(),
              Windows1252Text("100.000/450.00"));
    // One item at a time: each item's log entry carries the tab as the one before left it.
    EXPECT_EQ(db.Value("SELECT COUNT(DISTINCT COM_QTDE) || '/' || MAX(COM_QTDE) FROM COMANDASLOG "
                       "WHERE LOG_MENSAGEM STARTING 'ADICIONADO'")
                  .AsText(),
              Windows1252Text("100/99.000"));
}

TEST_P(ConcurrentTerminalsTest, NewNumberKeyedOnTenTerminalsAtOnceMakesOneTab) {
    std::atomic<int> created{0};
    const std::vector<std::string> errors = RunTerminals(10, [&](int, TDM& dm) {
        const std::string reply = RunCommand(dm, "C12");
        if (reply == "000-A COMANDA 12 FOI CRIADA!")
            ++created;
        else
            EXPECT_EQ(reply, "000-A COMANDA 12 FOI ABERTA!");
        EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda 12:"));
        EXPECT_EQ(RunCommand(dm, "789"), "000-PRODUTO CAFE ADICIONADO!");
    });
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(db.Value("SELECT COUNT(*) || '/' || MIN(COM_TOTAL) FROM COMANDAS").AsText(), Windows1252Text("1/45.00"));
}

TEST_P(ConcurrentTerminalsTest, LimitsHoldWithSeveralTerminalsOnOneTab) {
    struct Case {
        const char* name;
        int number;
        int accepted;
        const char* total;
        const char* refusal;
    };
    const Case cases[] = {
        {"maximum total 100,00", 8, 22, "99.00", "104-O VALOR M\xC1XIMO DA COMANDA EXCEDIDO!"},
        {"client's credit 50,00", 7, 11, "49.50",
         "402-O CLIENTE N\xC3O TEM CR\xC9"
         "DITO PARA A OPERA\xC7\xC3O!"},
    };
    db.Execute("UPDATE CONFIGURA SET CFG_PDV_VALORMAXCOMANDA = 100");
    db.Execute(
        "INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_ATIVO, CON_TABELA, CON_CREDITOTIPO, CON_CREDITOCONSUMO) "
        "VALUES (2, 'ANA', 0, 0, 2, 50)");
    db.Execute("INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO, COM_QTDE, COM_TOTAL) VALUES (1, 7, 2, 0, 0)");
    db.Execute("INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO, COM_QTDE, COM_TOTAL) VALUES (2, 8, 1, 0, 0)");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::atomic<int> accepted{0};
        const std::vector<std::string> errors = RunTerminals(4, [&](int, TDM& dm) {
            RunCommand(dm, "C" + std::to_string(c.number));
            for (int i = 0; i < 10; ++i) {
                const std::string reply = RunCommand(dm, "789");
                if (reply == "000-PRODUTO CAFE ADICIONADO!")
                    ++accepted;
                else
                    EXPECT_EQ(reply, c.refusal);
            }
        });
        EXPECT_TRUE(errors.empty()) << errors.front();
        EXPECT_EQ(accepted, c.accepted);
        EXPECT_EQ(db.Value("SELECT COM_TOTAL FROM COMANDAS WHERE COM_NUMERO = " + std::to_string(c.number)).AsText(),
                  Windows1252Text(c.total));
    }
}

TEST_P(ConcurrentTerminalsTest, TerminalsWaitForANumberBeingCreatedWithoutSpendingTransactions) {
    constexpr int kTerminals = 10;
    const bool perNumber = GetParam() == Login::TerminalUser;
    // Someone else is creating tab 12 and holds its turn.
    Database store(db.ConnectionString(), db.User(), db.Password());
    Transaction creating(store);
    Statement(creating, perNumber
                            ? "UPDATE OR INSERT INTO COMANDASCRIACAO (CCR_NUMERO) VALUES (12) MATCHING (CCR_NUMERO)"
                            : "SELECT CON_CODIGO_CONSUMIDOR FROM CONFIGURA WITH LOCK")
        .Run();
    Statement(creating,
              "INSERT INTO COMANDAS (COM_CODIGO, COM_NUMERO, CON_CODIGO, COM_QTDE, COM_TOTAL) "
              "VALUES (1000, 12, 1, 0, 0)")
        .Run();

    long whileWaiting = 0;
    std::thread creator([&] {
        const std::string waiting = "SELECT COUNT(*) FROM MON$TRANSACTIONS WHERE MON$LOCK_TIMEOUT = " +
                                    std::to_string(TabCreationTurn::kWaitSeconds);
        // Every terminal waits in a read: none goes round trying again.
        EXPECT_TRUE(WaitUntil([&] { return db.Value(waiting).AsInteger() == kTerminals; }, 60s));
        whileWaiting = NextTransaction();
        if (perNumber) {
            // A different number does not wait for this one.
            TDM other(db.ConnectionString(), login.user, login.password);
            EXPECT_EQ(RunCommand(other, "C13"), "000-A COMANDA 13 FOI CRIADA!");
        }
        creating.Commit();
    });
    const std::vector<std::string> errors = RunTerminals(
        kTerminals, [](int, TDM& dm) { EXPECT_EQ(RunCommand(dm, "C12"), "000-A COMANDA 12 FOI ABERTA!"); });
    creator.join();
    EXPECT_TRUE(errors.empty()) << errors.front();
    // From the moment all waited: the other number's terminal, the commit,
    // and each terminal's wait and command; far fewer than the retries
    // spinning terminals would have made.
    EXPECT_LE(NextTransaction() - whileWaiting, 6 + 3 * kTerminals);
    EXPECT_EQ(db.Value("SELECT LIST(COM_NUMERO) FROM (SELECT COM_NUMERO FROM COMANDAS ORDER BY 1)").AsText(),
              Windows1252Text(perNumber ? "12,13" : "12"));
}
