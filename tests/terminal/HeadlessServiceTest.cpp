// The program as a service without windows, run as a shop runs it: the
// built Quorvel and libbemasb32.so in a program folder of their own, two
// simulated terminals over loopback TCP, a shop database on the server.
#include "ChildProcess.h"
#include "FreeLoopbackPort.h"
#include "PrivateFirebirdServer.h"
#include "QZ_CRIPTO.h"
#include "StoreTestDatabase.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A shop's program folder: the built program and library, "BemaSB32.ini"
// with two terminals on loopback, and the own settings file with a letter
// mapped to a product with "#13", a special code that asks for the tab's
// total and the connection to the shop database.
class ShopFolder {
public:
    explicit ShopFolder(const StoreTestDatabase& store) : store_(store) {
        for (const char* file : {"Quorvel", "libbemasb32.so"})
            fs::copy_file(BuiltProgramsFolder() / file, folder_ / file);
        store.SeedBasicShop();
        store.Execute(
            "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1) "
            "VALUES (1, '2526', 'CAFE', 0, 4.50)");
        Write("BemaSB32.ini",
              "[FIT]\nPROTOCOLO=0\n[Terminais]\nPorta=" + std::to_string(port_) + "\n0=127.0.0.1\n1=127.0.0.2\n");
        Write("Quorvel.ini", "[TECLAS]\nA=2526#13\n[TECLASESPECIAIS]\n02=200\n[ACOESESPECIAIS]\n02=6\n" +
                                 ConnectionSection(store.ConnectionString()));
    }
    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(folder_ / name, std::ios::binary) << content;
    }

    // Section "IBCONFIG" for a "host:path" database and the store's login.
    std::string ConnectionSection(const std::string& connectionString) const {
        const size_t colon = connectionString.find(':');
        return "[IBCONFIG]\nIP=" + connectionString.substr(0, colon) + "\nLOCAL=" + connectionString.substr(colon + 1) +
               "\nUSUARIO=" + Scramble(store_.User(), "VELASTRO") +
               "\nSENHA=" + Scramble(store_.Password(), "VELASTRO") + "\nUSACONFIG=1\n";
    }
    std::string MissingDatabase() const { return "127.0.0.1:" + (folder_ / "missing.fdb").string(); }

    // The program with these arguments after "--headless".
    ChildProcess Program(const std::vector<std::string>& arguments) const {
        std::vector<std::string> all{"--headless"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return ChildProcess(folder_ / "Quorvel", all, folder_ / "program.out", folder_ / "program.err");
    }

    // A simulated terminal at `address`, typing the keys, printing its
    // display to `name`.out; it ends once the display stayed unchanged for
    // `lingerMs` after the last key.
    ChildProcess Terminal(const std::string& name, const std::string& address, const std::string& keys,
                          int lingerMs) const {
        Write(name + ".keys", keys);
        return ChildProcess(
            BuiltProgramsFolder() / "terminal-simulator",
            {"--listen", address + ":" + std::to_string(port_), "--headless", "--linger", std::to_string(lingerMs)},
            folder_ / (name + ".out"), folder_ / (name + ".err"), folder_ / (name + ".keys"));
    }

    std::string Output(const std::string& name) const { return FileText(folder_ / name); }

    // Waits until the file holds the text; false when it does not within the time.
    bool WaitFor(const std::string& name, const std::string& text, std::chrono::seconds limit) const {
        return WaitUntil([&] { return Output(name).find(text) != std::string::npos; }, limit);
    }
    // Waits until the file holds the lines in this order (see ShowsInOrder).
    bool WaitForInOrder(const std::string& name, const std::vector<std::string>& lines,
                        std::chrono::seconds limit) const {
        return WaitUntil([&] { return ShowsInOrder(Output(name), lines); }, limit);
    }

private:
    static bool WaitUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(50ms);
        }
        return true;
    }

    const StoreTestDatabase& store_;
    const TemporaryFolder temporary_{"quorvel-headless"};
    const fs::path& folder_ = temporary_.Path();
    const int port_ = FreeLoopbackPort();
};

class HeadlessService : public ::testing::Test {
protected:
    StoreTestDatabase store{StoreTestDatabase::Access::Server};
    ShopFolder shop{store};
};

TEST_F(HeadlessService, ServesTwoTerminalsEachWithItsOwnTabUntilSigterm) {
    ChildProcess first =
        shop.Terminal("first", "127.0.0.1", "<wait 1500>C21<13><wait 3500>A<wait 3500><200><13>", 4000);
    ChildProcess second = shop.Terminal("second", "127.0.0.2", "<wait 1500>C22<13><wait 3500>A<wait 3500>A", 4000);
    ChildProcess program = shop.Program({});
    ASSERT_TRUE(first.Started() && second.Started() && program.Started());

    EXPECT_EQ(first.Wait(60s), 0);
    EXPECT_EQ(second.Wait(60s), 0);
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
    ChildProcess back = shop.Terminal("back", "127.0.0.1", "", 3000);
    EXPECT_EQ(back.Wait(60s), 0);
    EXPECT_TRUE(ShowsInOrder(shop.Output("back.out"), {"DISPLAY Comanda 21:|||"})) << shop.Output("back.out");

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
    // The terminal stays until it is ended: the program may take its time to start.
    ChildProcess terminal = shop.Terminal("first", "127.0.0.1", "C31<13>", 600000);
    ChildProcess program = shop.Program({"--terminal", "0"});
    ASSERT_TRUE(terminal.Started() && program.Started());

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

TEST(HeadlessServiceOutage, NextCommandAfterTheServerCameBackSucceeds) {
    PrivateFirebirdServer server;
    StoreTestDatabase store(server.Address(), server.User(), server.Password());
    ShopFolder shop(store);
    ChildProcess terminal =
        shop.Terminal("first", "127.0.0.1", "<wait 1500>C31<13><wait 3500>A<wait 8000>A<wait 8000><200><13>", 4000);
    ChildProcess program = shop.Program({"--terminal", "0"});

    ASSERT_TRUE(shop.WaitFor("program.out", "terminal 0: Comando: 2526 / Retorno:000-PRODUTO CAFE ADICIONADO!", 60s))
        << shop.Output("program.out") << shop.Output("program.err");
    server.Stop();
    // The add typed while the server is down fails and is reported; the
    // terminal goes on being served.
    ASSERT_TRUE(shop.WaitFor("program.err", "Quorvel: ", 60s)) << shop.Output("program.out");
    server.Start();

    EXPECT_EQ(terminal.Wait(60s), 0);
    EXPECT_TRUE(shop.WaitFor("program.out", "terminal 0: Comando: V / Retorno:000-TOTAL DA COMANDA: R$ 4,50", 10s))
        << shop.Output("program.out") << shop.Output("program.err");
    EXPECT_EQ(store.Value("SELECT COUNT(*) FROM COMANDASITENS").AsInteger(), 1);
    // Each error box is one line, the engine's message of several lines too.
    std::istringstream errors(shop.Output("program.err"));
    for (std::string line; std::getline(errors, line);)
        EXPECT_TRUE(line.starts_with("Quorvel: ")) << line;
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(10s), 0);
}

}  // namespace
