// The store's connection breaks under the data module and comes back: a
// command that met the break before its commit was sent runs once more on a
// new connection; one whose commit lost its answer asks the store whether
// it was stored, and is never stored twice. The server is a private one of
// the test, so the machine's shared server is never stopped; the breaks at
// a chosen point of a command come from a fault proxy between the data
// module and that server.
#include "CommandReply.h"
#include "DataModulo.h"
#include "DatabaseError.h"
#include "FaultProxy.h"
#include "PrivateFirebirdServer.h"
#include "StoreTestDatabase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kAdded = "000-PRODUTO CAFE ADICIONADO!";

// The failure a command meets, or "" when it succeeds.
std::string FailureOf(TDM& dm, const std::string& command) {
    try {
        RunCommand(dm, command);
        return "";
    } catch (const DatabaseError& error) {
        return error.IsConnectionLost() ? "connection lost" : error.what();
    }
}

const std::string kCreated = "000-A COMANDA 12 FOI CRIADA!";

class ConnectionOutageTest : public ::testing::Test {
protected:
    // A fresh shop on the private server with product 789 (CAFE, R$ 4,50; 5,00 on table 2).
    std::unique_ptr<StoreTestDatabase> NewShop() const {
        auto db = std::make_unique<StoreTestDatabase>(server.Address(), server.User(), server.Password());
        db->SeedBasicShop();
        db->Execute(
            "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_VALOR1, PRO_VALOR2) "
            "VALUES (1, '789', 'CAFE', 4.5, 5)");
        return db;
    }

    PrivateFirebirdServer server;
};

// Items (count / quantities / highest key), the log entries of added items
// and the tab's total, in one text.
std::string StoredTab(const StoreTestDatabase& db) {
    return db
        .Value(
            "SELECT (SELECT COUNT(*) || '/' || SUM(CIN_QTDE) || '/' || MAX(CIN_CODIGO) FROM COMANDASITENS) || "
            "' log ' || (SELECT COUNT(*) FROM COMANDASLOG WHERE LOG_MENSAGEM STARTING 'ADICIONADO') || "
            "' total ' || COM_TOTAL FROM COMANDAS")
        .AsText()
        .Bytes();
}

// Calls `action` once, at the first step of the kind given (for statements,
// the n-th), from the moment it is installed.
void OnceAt(Transaction& transaction, Transaction::Step kind, int nth, std::function<void()> action) {
    transaction.BeforeSending = [kind, nth, seen = 0, action = std::move(action)](Transaction::Step step) mutable {
        if (step == kind && ++seen == nth)
            action();
    };
}

// The lines of the commands settled once the store answers again: asked
// until it does (a server just started may refuse the first attach).
std::vector<std::string> SettledOnceTheStoreAnswers(TDM& dm) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::vector<std::string> lines = dm.ResolveUnknownOutcomes();
    while (lines.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        lines = dm.ResolveUnknownOutcomes();
    }
    return lines;
}

}  // namespace

TEST_F(ConnectionOutageTest, NextCommandAfterAnOutageConnectsAgainAndKeepsTheTab) {
    const auto shop = NewShop();
    const StoreTestDatabase& db = *shop;
    TDM dm(db.ConnectionString(), db.User(), db.Password());
    ASSERT_EQ(RunCommand(dm, "C12"), kCreated);
    ASSERT_EQ(RunCommand(dm, "789"), kAdded);

    server.Stop();
    EXPECT_EQ(FailureOf(dm, "789"), "connection lost");
    EXPECT_THROW(RunCommand(dm, "789"), DatabaseError);  // still down: connecting again fails
    server.Start();
    // Meanwhile the cash desk moved the tab to price table 2.
    db.Execute("UPDATE COMANDAS SET COM_TABELA = 2");

    EXPECT_EQ(RunCommand(dm, "789"), kAdded);
    EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda 12:"));
    EXPECT_EQ(db.Value("SELECT COUNT(*) || '/' || SUM(CIN_VALOR) FROM COMANDASITENS").AsText(),
              Windows1252Text("2/9.50"));
    EXPECT_EQ(RunCommand(dm, "V"), "000-TOTAL DA COMANDA: R$ 9,50");

    // Restarted between two commands: the next one meets the dead connection
    // and still succeeds.
    server.Stop();
    server.Start();
    EXPECT_EQ(RunCommand(dm, "789"), kAdded);
    EXPECT_EQ(StoredTab(db), "3/3.000/3 log 3 total 14.50");
}

TEST_F(ConnectionOutageTest, ServerGoingAwayDuringTheCommit) {
    const auto shop = NewShop();
    const StoreTestDatabase& db = *shop;
    TDM dm(db.ConnectionString(), db.User(), db.Password());
    ASSERT_EQ(RunCommand(dm, "C12"), kCreated);

    // Restarted as the commit goes out: it never arrived, so the add runs once more.
    OnceAt(dm.DBTrans, Transaction::Step::Commit, 1, [&] {
        server.Stop();
        server.Start();
    });
    EXPECT_EQ(RunCommand(dm, "789"), kAdded);
    EXPECT_EQ(db.Value("SELECT COUNT(*) || ' ' || MAX(COM_TOTAL) FROM COMANDASITENS, COMANDAS").AsText(),
              Windows1252Text("1 4.50"));

    // Gone as the commit goes out and not back within the bound: nobody can
    // tell what came of it, and the reply says so; once the server is back
    // the store tells (the commit never arrived).
    dm.OutcomeBound = std::chrono::milliseconds(1000);
    OnceAt(dm.DBTrans, Transaction::Step::Commit, 1, [&] { server.Stop(); });
    EXPECT_EQ(RunCommand(dm, "789"), kUnknownOutcomeReply);
    EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda 12:"));
    EXPECT_EQ(dm.UnknownOutcomes(), std::vector<std::string>{"789"});
    EXPECT_EQ(dm.ResolveUnknownOutcomes(), std::vector<std::string>{});  // still down: kept
    server.Start();
    EXPECT_EQ(SettledOnceTheStoreAnswers(dm),
              std::vector<std::string>{"comando 789 de resultado desconhecido: n\xC3\xA3o foi gravado"});
    EXPECT_TRUE(dm.UnknownOutcomes().empty());
    EXPECT_EQ(RunCommand(dm, "V"), "000-TOTAL DA COMANDA: R$ 4,50");
}

TEST_F(ConnectionOutageTest, ConnectionCutAtEachPointOfACommandStoresItOnce) {
    enum class Cut { BeforeTheCommand, BetweenStatements, CommitNeverArrives, CommitAnswerLost };
    struct Case {
        const char* name;
        Cut cut;
        const char* command;
        const char* reply;
        const char* stored;  // StoredTab afterwards; the highest key shows whether the add ran again
    };
    const Case cases[] = {
        {"before the first statement", Cut::BeforeTheCommand, "789", kAdded.c_str(), "2/2.000/2 log 2 total 9.00"},
        {"between statements", Cut::BetweenStatements, "789", kAdded.c_str(), "2/2.000/2 log 2 total 9.00"},
        {"commit never arrives: run again", Cut::CommitNeverArrives, "789", kAdded.c_str(),
         "2/2.000/3 log 2 total 9.00"},
        {"commit stored, its answer lost: not run again", Cut::CommitAnswerLost, "789", kAdded.c_str(),
         "2/2.000/2 log 2 total 9.00"},
        {"answer lost for a command that inserts nothing", Cut::CommitAnswerLost, "Q3",
         "000-QUANTIDADE DO PRODUTO ALTERADA PARA 3", "1/3.000/1 log 1 total 13.50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto shop = NewShop();
        const StoreTestDatabase& db = *shop;
        FaultProxy proxy({"127.0.0.1", 0}, {"127.0.0.1", server.Port()});
        const std::string path = db.ConnectionString().substr(db.ConnectionString().find(':') + 1);
        TDM dm(proxy.FirebirdHost() + ":" + path, db.User(), db.Password());
        ASSERT_EQ(RunCommand(dm, "C12"), kCreated);
        ASSERT_EQ(RunCommand(dm, "789"), kAdded);

        switch (c.cut) {
        case Cut::BeforeTheCommand: proxy.ResetAll(); break;
        case Cut::BetweenStatements:
            OnceAt(dm.DBTrans, Transaction::Step::Statement, 2, [&] { proxy.ResetAll(); });
            break;
        case Cut::CommitNeverArrives:
            OnceAt(dm.DBTrans, Transaction::Step::Commit, 1, [&] { proxy.ResetAtClientPacket(FaultProxy::PacketFate::Dropped); });
            break;
        case Cut::CommitAnswerLost:
            OnceAt(dm.DBTrans, Transaction::Step::Commit, 1, [&] { proxy.ResetAtClientPacket(FaultProxy::PacketFate::AnswerLost); });
            break;
        }
        EXPECT_EQ(RunCommand(dm, c.command), c.reply);
        EXPECT_EQ(StoredTab(db), c.stored);
        EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda 12:"));
    }
}

namespace {

enum class LostAt { CommitNeverArrives, CommitAnswerLost };

// A data module through a fault proxy with a tab open and one item added;
// the next commit's connection breaks at `lost` and the proxy then refuses
// new connections for `refusing` (or until the test admits them again).
struct ProxiedShop {
    ProxiedShop(const PrivateFirebirdServer& server, std::unique_ptr<StoreTestDatabase> shop)
        : db(std::move(shop)), proxy({"127.0.0.1", 0}, {"127.0.0.1", server.Port()}),
          dm(proxy.FirebirdHost() + ":" + db->ConnectionString().substr(db->ConnectionString().find(':') + 1),
             db->User(), db->Password()) {
        EXPECT_EQ(RunCommand(dm, "C12"), kCreated);
        EXPECT_EQ(RunCommand(dm, "789"), kAdded);
    }
    void BreakNextCommitAndRefuse(LostAt lost, std::chrono::milliseconds refusing = std::chrono::hours(1)) {
        OnceAt(dm.DBTrans, Transaction::Step::Commit, 1, [this, lost, refusing] {
            proxy.ResetAtClientPacket(lost == LostAt::CommitAnswerLost ? FaultProxy::PacketFate::AnswerLost
                                                                       : FaultProxy::PacketFate::Dropped,
                                      1, refusing);
        });
    }

    std::unique_ptr<StoreTestDatabase> db;
    FaultProxy proxy;
    TDM dm;
};

}  // namespace

TEST_F(ConnectionOutageTest, LostCommitAnswerIsLearnedWhileTheServerRefusesConnectionsForAWhile) {
    const struct {
        const char* name;
        LostAt lost;
        const char* stored;  // the highest key shows whether the add ran again
    } cases[] = {
        {"stored, its answer lost: not run again", LostAt::CommitAnswerLost, "2/2.000/2 log 2 total 9.00"},
        {"never arrived: run again", LostAt::CommitNeverArrives, "2/2.000/3 log 2 total 9.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProxiedShop shop(server, NewShop());
        // The server takes connections again five seconds into the outage.
        shop.BreakNextCommitAndRefuse(c.lost, std::chrono::seconds(5));
        EXPECT_EQ(RunCommand(shop.dm, "789"), kAdded);
        EXPECT_EQ(StoredTab(*shop.db), c.stored);
        EXPECT_TRUE(shop.dm.UnknownOutcomes().empty());
    }
}

TEST_F(ConnectionOutageTest, UnknownOutcomeIsRepliedAndSettledOnceTheLinkIsBack) {
    const struct {
        const char* name;
        LostAt lost;
        const char* settled;
        const char* stored;
    } cases[] = {
        {"stored", LostAt::CommitAnswerLost, "comando 789 de resultado desconhecido: foi gravado",
         "3/3.000/3 log 3 total 13.50"},
        {"not stored", LostAt::CommitNeverArrives, "comando 789 de resultado desconhecido: n\xC3\xA3o foi gravado",
         "2/2.000/3 log 2 total 9.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProxiedShop shop(server, NewShop());
        shop.dm.OutcomeBound = std::chrono::milliseconds(1500);
        shop.BreakNextCommitAndRefuse(c.lost);
        EXPECT_EQ(RunCommand(shop.dm, "789"), kUnknownOutcomeReply);
        EXPECT_EQ(shop.dm.DisplayPrompt(), Windows1252Text("Comanda 12:"));
        EXPECT_EQ(shop.dm.UnknownOutcomes(), std::vector<std::string>{"789"});

        shop.proxy.Admit();
        EXPECT_EQ(SettledOnceTheStoreAnswers(shop.dm), std::vector<std::string>{c.settled});
        EXPECT_TRUE(shop.dm.UnknownOutcomes().empty());
        EXPECT_EQ(RunCommand(shop.dm, "789"), kAdded);
        EXPECT_EQ(StoredTab(*shop.db), c.stored);
    }
}

TEST_F(ConnectionOutageTest, StalledLinkIsTakenForALostConnection) {
    ProxiedShop shop(server, NewShop());
    shop.proxy.Stall(std::chrono::hours(1));
    // The statement waits for an answer that never comes until the watch
    // closes the connection; connecting again meets the stall too.
    EXPECT_EQ(FailureOf(shop.dm, "789").empty(), false);
    shop.proxy.EndStall();
    EXPECT_EQ(RunCommand(shop.dm, "789"), kAdded);
    EXPECT_EQ(StoredTab(*shop.db), "2/2.000/2 log 2 total 9.00");
}

TEST_F(ConnectionOutageTest, QuantityWhoseAnswerWasLostIsNotSetAgainOnAnItemAddedMeanwhile) {
    ProxiedShop shop(server, NewShop());
    OnceAt(shop.dm.DBTrans, Transaction::Step::Commit, 1, [&shop] {
        shop.proxy.ResetAtClientPacket(FaultProxy::PacketFate::AnswerLost);
        // Another terminal adds an item to the same tab meanwhile.
        shop.db->Execute(
            "INSERT INTO COMANDASITENS (CIN_CODIGO, COM_CODIGO, PRO_CODIGO, CIN_QTDE, CIN_VALOR) "
            "VALUES (GEN_ID(GEN_COMANDASITENS_ID, 1), (SELECT COM_CODIGO FROM COMANDAS), 1, 1, 4.5)");
    });
    EXPECT_EQ(RunCommand(shop.dm, "Q3"), kUnknownOutcomeReply);
    EXPECT_EQ(
        shop.db->Value("SELECT LIST(CIN_QTDE) FROM (SELECT CIN_QTDE FROM COMANDASITENS ORDER BY CIN_CODIGO)").AsText(),
        Windows1252Text("3.000,1.000"));
    EXPECT_EQ(
        SettledOnceTheStoreAnswers(shop.dm),
        std::vector<std::string>{
            "comando Q3 de resultado desconhecido: n\xC3\xA3o gravou linha que se possa conferir; confira com V"});
}
