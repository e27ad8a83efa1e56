// The program as a service without windows, run as a shop runs it: the
// built Quorvel and libbemasb32.so in a program folder of their own, two
// simulated terminals over loopback TCP, a shop database on the server.
#include "FaultProxy.h"
#include "PrivateFirebirdServer.h"
#include "ShopFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <sstream>

namespace {

using namespace std::chrono_literals;

class HeadlessService : public ::testing::Test {
protected:
    StoreTestDatabase store{StoreTestDatabase::Access::Server};
    ShopFolder shop{store};
};

// Waits until the terminal's display has shown the lines of `shown` in
// order, then types `keys` and adds `next`, what the display shows for
// them, to `shown`: the operator types only at a prompt.
bool TypeWhenShown(const ShopFolder& shop, LiveTerminal& terminal, const std::string& name,
                   std::vector<std::string>& shown, const std::string& keys, const std::vector<std::string>& next) {
    if (!shop.WaitForInOrder(name + ".out", shown, 60s))
        return false;
    terminal.Type(keys);
    shown.insert(shown.end(), next.begin(), next.end());
    return true;
}

TEST_F(HeadlessService, ServesTwoTerminalsEachWithItsOwnTabUntilSigterm) {
    auto first = shop.Live("first", "127.0.0.1");
    auto second = shop.Live("second", "127.0.0.2");
    ChildProcess program = shop.Program({});
    ASSERT_TRUE(program.Started());

    std::vector<std::string> firstShown{"DISPLAY Comanda:|||"};
    std::vector<std::string> secondShown{"DISPLAY Comanda:|||"};
    const std::string added = "DISPLAY 000-PRODUTO CAFE ADI|CIONADO!||";
    ASSERT_TRUE(TypeWhenShown(shop, *first, "first", firstShown, "C21<13>",
                              {"DISPLAY 000-A COMANDA 21 FOI| CRIADA!||", "DISPLAY Comanda 21:|||"}))
        << shop.Output("first.out") << shop.Output("program.err");
    ASSERT_TRUE(TypeWhenShown(shop, *second, "second", secondShown, "C22<13>",
                              {"DISPLAY 000-A COMANDA 22 FOI| CRIADA!||", "DISPLAY Comanda 22:|||"}))
        << shop.Output("second.out") << shop.Output("program.err");
    ASSERT_TRUE(TypeWhenShown(shop, *first, "first", firstShown, "A", {added, "DISPLAY Comanda 21:|||"}))
        << shop.Output("first.out");
    ASSERT_TRUE(TypeWhenShown(shop, *second, "second", secondShown, "A", {added, "DISPLAY Comanda 22:|||"}))
        << shop.Output("second.out");
    ASSERT_TRUE(
        TypeWhenShown(shop, *first, "first", firstShown, "<200><13>", {"DISPLAY 000-TOTAL DA COMANDA|: R$ 4,50||"}))
        << shop.Output("first.out");
    ASSERT_TRUE(TypeWhenShown(shop, *second, "second", secondShown, "A", {added, "DISPLAY Comanda 22:|||"}))
        << shop.Output("second.out");
    EXPECT_TRUE(shop.WaitForInOrder("first.out", firstShown, 60s)) << shop.Output("first.out");
    EXPECT_TRUE(shop.WaitForInOrder("second.out", secondShown, 60s)) << shop.Output("second.out");

    EXPECT_EQ(first->End(60s), 0);
    EXPECT_EQ(second->End(60s), 0);
    EXPECT_TRUE(
        ShowsInOrder(shop.Output("first.out"), {"DISPLAY Comanda:|||", "DISPLAY 000-A COMANDA 21 FOI| CRIADA!||",
                                                "DISPLAY Comanda 21:|||", "DISPLAY 000-PRODUTO CAFE ADI|CIONADO!||",
                                                "DISPLAY Comanda 21:V|||", "DISPLAY 000-TOTAL DA COMANDA|: R$ 4,50||"}))
        << shop.Output("first.out");
    EXPECT_EQ(store
                  .Value("SELECT COUNT(*) FROM COMANDASITENS I JOIN COMANDAS C ON C.COM_CODIGO = I.COM_CODIGO "
                         "WHERE C.COM_NUMERO = 21")
                  .AsInteger(),
              1);
    EXPECT_EQ(store
                  .Value("SELECT COUNT(*) FROM COMANDASITENS I JOIN COMANDAS C ON C.COM_CODIGO = I.COM_CODIGO "
                         "WHERE C.COM_NUMERO = 22")
                  .AsInteger(),
              2);

    // The first terminal goes away and comes back: its prompt, with its own
    // tab's number, is shown again without a key.
    auto back = shop.Live("back", "127.0.0.1");
    EXPECT_TRUE(shop.WaitForInOrder("back.out", {"DISPLAY Comanda 21:|||"}, 60s)) << shop.Output("back.out");
    EXPECT_EQ(back->End(60s), 0);

    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(10s), 0);
    const std::string status = shop.Output("program.out");
    EXPECT_TRUE(ShowsInOrder(status, {"terminal 0: Comando: C21 / Retorno:000-A COMANDA 21 FOI CRIADA!",
                                      "terminal 0: Comando: V / Retorno:000-TOTAL DA COMANDA: R$ 4,50"}))
        << status;
    EXPECT_TRUE(ShowsInOrder(status, {"terminal 1: Comando: C22 / Retorno:000-A COMANDA 22 FOI CRIADA!",
                                      "terminal 1: terminal desconectado"}))
        << status;
    EXPECT_TRUE(ShowsInOrder(status, {"terminal 0: terminal desconectado"})) << status;
    EXPECT_EQ(shop.Output("program.err"), "");
}

struct RefusedStart {
    const char* name;
    std::vector<std::string> arguments;
    const char* settings;  // the own settings file; nullptr keeps the fixture's
    int status;
    const char* error;  // what the line on standard error starts with
};

TEST_F(HeadlessService, RefusesToStartWithALineSayingWhy) {
    const RefusedStart cases[] = {
        {"terminal not in the list", {"--terminal", "2"}, nullptr, 2, "o terminal 2 n\xC3\xA3o est\xC3\xA1 na lista"},
        {"unknown argument", {"--verbose"}, nullptr, 2, "argumento desconhecido \"--verbose\""},
        {"no connection settings",
         {},
         "[TECLAS]\n",
         1,
         "Sem configura\xC3\xA7\xC3\xB5"
         "es de conex\xC3\xA3o"},
        {"no such database", {}, "", 1, "Erro ao conectar: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.settings)
            shop.Write("Quorvel.ini", *c.settings ? c.settings : shop.ConnectionSection(shop.MissingDatabase()));
        ChildProcess program = shop.Program(c.arguments);
        EXPECT_EQ(program.Wait(30s), c.status);
        EXPECT_EQ(shop.Output("program.err").rfind(c.error, 0), 0u) << shop.Output("program.err");
    }
}

TEST_F(HeadlessService, ACommandThatFailsSaysSoOnTheTerminal) {
    // The database refuses every new tab.
    store.Execute("CREATE EXCEPTION E_SEM_COMANDAS 'sem comandas novas'");
    store.Execute("CREATE TRIGGER T_SEM_COMANDAS FOR COMANDAS BEFORE INSERT AS BEGIN EXCEPTION E_SEM_COMANDAS; END");
    auto terminal = shop.Live("first", "127.0.0.1");
    ChildProcess program = shop.Program({"--terminal", "0"});
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(shop.WaitFor("first.out", "DISPLAY Comanda:|||", 60s)) << shop.Output("program.err");
    terminal->Type("C31<13>");

    // The reply, held on the display until the prompt comes back.
    EXPECT_TRUE(shop.WaitForInOrder(
        "first.out",
        {"DISPLAY Comanda:C31|||", "DISPLAY 900-ERRO! O COMANDO|N\xC3\x83O FOI EXECUTADO!||", "DISPLAY Comanda:|||"},
        60s))
        << shop.Output("first.out") << shop.Output("program.err");
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(10s), 0);
    EXPECT_TRUE(ShowsInOrder(shop.Output("program.out"),
                             {"terminal 0: Comando: C31 / Retorno:900-ERRO! O COMANDO N\xC3\x83O FOI EXECUTADO!"}))
        << shop.Output("program.out");
    EXPECT_NE(shop.Output("program.err").find("E_SEM_COMANDAS"), std::string::npos) << shop.Output("program.err");
    EXPECT_EQ(store.Value("SELECT COUNT(*) FROM COMANDAS").AsInteger(), 0);
}

TEST_F(HeadlessService, SigtermEndsTheServiceWhileATerminalKeepsSendingKeys) {
    ChildProcess terminal = shop.Terminal("first", "127.0.0.1", std::string(100000, '2'), 600000);
    ChildProcess program = shop.Program({"--terminal", "0"});
    ASSERT_TRUE(terminal.Started() && program.Started());
    ASSERT_TRUE(shop.WaitFor("first.out", "DISPLAY Comanda:22|||", 60s)) << shop.Output("program.err");

    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(10s), 0);
    EXPECT_TRUE(ShowsInOrder(shop.Output("program.out"), {"terminal 0: terminal desconectado"}))
        << shop.Output("program.out");
}

TEST_F(HeadlessService, RefusesTerminalSettingsItCannotServeNamingTheFileAndKey) {
    const std::string path = (shop.Path() / "BemaSB32.ini").string();
    const struct {
        const char* name;
        const char* terminalFile;  // nullptr: no file
        std::string error;
    } cases[] = {
        {"missing file", nullptr, "arquivo n\xC3\xA3o encontrado: " + path},
        {"port out of range", "[Terminais]\nPorta=70000\n0=127.0.0.1\n",
         "porta 70000 fora do intervalo de 1 a 65535 (" + path + " [Terminais] Porta)"},
        {"no protocol chosen", "[FIT]\nPROTOCOLO=-1\n[Terminais]\n0=127.0.0.1\n",
         "protocolo -1 desconhecido, use 0 ou 1 (" + path + " [FIT] PROTOCOLO)"},
        {"empty list", "[Terminais]\nPorta=9200\n", "nenhum terminal na lista de \"BemaSB32.ini\" (" + path + ")"},
        // The library would drive terminal 0 for this one.
        {"a key the library cannot address", "[Terminais]\n0=127.0.0.1\n256=127.0.0.2\n",
         "a chave 256 n\xC3\xA3o \xC3\xA9 um terminal que a biblioteca atende, que s\xC3\xA3o as chaves 0 a 255 (" +
             path + " [Terminais] 256)"},
        {"two keys reaching one terminal", "[Terminais]\n0=127.0.0.1\n00=127.0.0.2\n",
         "a chave 00 chega ao mesmo terminal que a chave 0 (" + path + " [Terminais] 00)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(path);
        if (c.terminalFile)
            shop.Write("BemaSB32.ini", c.terminalFile);
        ChildProcess program = shop.Program({});
        EXPECT_EQ(program.Wait(30s), 2);
        EXPECT_EQ(shop.Output("program.err"), c.error + "\n");
    }
}

TEST(HeadlessServiceOutage, NextCommandAfterTheServerCameBackSucceeds) {
    PrivateFirebirdServer server;
    StoreTestDatabase store(server.Address(), server.User(), server.Password());
    ShopFolder shop(store);
    auto terminal = shop.Live("first", "127.0.0.1");
    ChildProcess program = shop.Program({"--terminal", "0"});

    std::vector<std::string> shown{"DISPLAY Comanda:|||"};
    ASSERT_TRUE(TypeWhenShown(shop, *terminal, "first", shown, "C31<13>",
                              {"DISPLAY 000-A COMANDA 31 FOI| CRIADA!||", "DISPLAY Comanda 31:|||"}))
        << shop.Output("first.out") << shop.Output("program.err");
    ASSERT_TRUE(TypeWhenShown(shop, *terminal, "first", shown, "A",
                              {"DISPLAY 000-PRODUTO CAFE ADI|CIONADO!||", "DISPLAY Comanda 31:|||"}))
        << shop.Output("first.out");
    ASSERT_TRUE(shop.WaitFor("program.out", "terminal 0: Comando: 2526 / Retorno:000-PRODUTO CAFE ADICIONADO!", 60s))
        << shop.Output("program.out") << shop.Output("program.err");
    ASSERT_TRUE(shop.WaitForInOrder("first.out", shown, 60s)) << shop.Output("first.out");
    server.Stop();
    // The add typed while the server is down fails and is reported; the
    // terminal goes on being served.
    terminal->Type("A");
    shown.push_back("DISPLAY 900-ERRO! O COMANDO|N\xC3\x83O FOI EXECUTADO!||");
    ASSERT_TRUE(shop.WaitFor("program.err", "Quorvel: ", 60s)) << shop.Output("program.out");
    server.Start();

    ASSERT_TRUE(TypeWhenShown(shop, *terminal, "first", shown, "<200><13>", {})) << shop.Output("first.out");
    EXPECT_TRUE(shop.WaitFor("program.out", "terminal 0: Comando: V / Retorno:000-TOTAL DA COMANDA: R$ 4,50", 60s))
        << shop.Output("program.out") << shop.Output("program.err");
    EXPECT_EQ(terminal->End(60s), 0);
    EXPECT_EQ(store.Value("SELECT COUNT(*) FROM COMANDASITENS").AsInteger(), 1);
    // Each error box is one line, the engine's message of several lines too.
    std::istringstream errors(shop.Output("program.err"));
    for (std::string line; std::getline(errors, line);)
        EXPECT_TRUE(line.starts_with("Quorvel: ")) << line;
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(10s), 0);
}

TEST(HeadlessServiceOutage, SigtermWhileTheLinkStallsEndsTheServiceWithATrueReplyOnTheTerminal) {
    PrivateFirebirdServer server;
    StoreTestDatabase store(server.Address(), server.User(), server.Password());
    ShopFolder shop(store);
    FaultProxy proxy({"127.0.0.1", 0}, {"127.0.0.1", server.Port()});
    const std::string path = store.ConnectionString().substr(store.ConnectionString().find(':') + 1);
    shop.Write("Quorvel.ini", "[TECLAS]\nA=2526#13\n" + shop.ConnectionSection(proxy.FirebirdHost() + ":" + path));
    auto terminal = shop.Live("first", "127.0.0.1");
    ChildProcess program = shop.Program({"--terminal", "0"});

    std::vector<std::string> shown{"DISPLAY Comanda:|||"};
    ASSERT_TRUE(TypeWhenShown(shop, *terminal, "first", shown, "C31<13>",
                              {"DISPLAY 000-A COMANDA 31 FOI| CRIADA!||", "DISPLAY Comanda 31:|||"}))
        << shop.Output("first.out") << shop.Output("program.err");
    ASSERT_TRUE(shop.WaitForInOrder("first.out", shown, 60s)) << shop.Output("first.out");
    // The server end stops answering; the add waits, and the terminal says so.
    proxy.Stall(std::chrono::hours(1));
    terminal->Type("A");
    ASSERT_TRUE(shop.WaitFor("first.out", "DISPLAY AGUARDE: CONFIRMANDO|...||", 60s)) << shop.Output("first.out");

    const auto signalled = std::chrono::steady_clock::now();
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(15s), 0);  // while the link still holds every byte
    std::cout << "ended " << std::chrono::duration<double>(std::chrono::steady_clock::now() - signalled).count()
              << " s after SIGTERM\n";
    // Nothing of the add reached the store before the stop: the terminal says so.
    EXPECT_TRUE(shop.WaitFor("first.out", "DISPLAY 900-ERRO! O COMANDO|N\xC3\x83O FOI EXECUTADO!||", 60s))
        << shop.Output("first.out");
    EXPECT_TRUE(ShowsInOrder(shop.Output("program.out"),
                             {"terminal 0: Comando: 2526 / Retorno:900-ERRO! O COMANDO N\xC3\x83O FOI EXECUTADO!",
                              "terminal 0: terminal desconectado"}))
        << shop.Output("program.out");
    proxy.EndStall();
    EXPECT_EQ(store.Value("SELECT COUNT(*) FROM COMANDASITENS").AsInteger(), 0);
}

}  // namespace
