// SIGHUP to the built service: the settings files read again, the terminal
// list and the key mappings changed without a restart.
#include "ShopFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace {

using namespace std::chrono_literals;

constexpr const char* kConnected = "conex\xC3\xA3o realizada com sucesso, aguardando comandos...";

class ServiceReload : public ::testing::Test {
protected:
    StoreTestDatabase store{StoreTestDatabase::Access::Server};
    ShopFolder shop{store};

    long ItemsOfTab(int number) const {
        return static_cast<long>(store
                                     .Value("SELECT COUNT(*) FROM COMANDASITENS I JOIN COMANDAS C ON C.COM_CODIGO = "
                                            "I.COM_CODIGO WHERE C.COM_NUMERO = " +
                                            std::to_string(number))
                                     .AsInteger());
    }
};

TEST_F(ServiceReload, StartsAddedTerminalsStopsRemovedOnesAndKeepsTheOthersWithTheirTab) {
    auto kept = shop.Live("kept", "127.0.0.1");
    auto removed = shop.Live("removed", "127.0.0.2");
    auto added = shop.Live("added", "127.0.0.3");
    ChildProcess program = shop.Program({});
    ASSERT_TRUE(shop.WaitFor("program.out", std::string("terminal 1: ") + kConnected, 60s))
        << shop.Output("program.err");

    kept->Type("C21<13>");
    kept->Type("25");
    // Tab 21 loaded, half a bar code on the command line.
    ASSERT_TRUE(shop.WaitFor("kept.out", "DISPLAY Comanda 21:25|||", 60s)) << shop.Output("kept.out");

    // A settings file that cannot be read changes nothing.
    const std::string terminalFile = (shop.Path() / "BemaSB32.ini").string();
    std::filesystem::remove(terminalFile);
    program.Signal(SIGHUP);
    ASSERT_TRUE(shop.WaitFor("program.err",
                             "configura\xC3\xA7\xC3\xB5"
                             "es n\xC3\xA3o recarregadas, nada mudou: arquivo n\xC3\xA3o encontrado: " +
                                 terminalFile + "\n",
                             60s))
        << shop.Output("program.err");
    // Nor does a key the library cannot address.
    shop.Write("BemaSB32.ini", shop.TerminalFile({"0=127.0.0.1", "1=127.0.0.2", "256=127.0.0.3"}));
    program.Signal(SIGHUP);
    ASSERT_TRUE(
        shop.WaitFor("program.err",
                     "configura\xC3\xA7\xC3\xB5"
                     "es n\xC3\xA3o recarregadas, nada mudou: a chave 256 n\xC3\xA3o \xC3\xA9 um terminal que a "
                     "biblioteca atende, que s\xC3\xA3o as chaves 0 a 255 (" +
                         terminalFile + " [Terminais] 256)\n",
                     60s))
        << shop.Output("program.err");

    // Terminal 1 is now another one, and letter D adds the coffee too.
    shop.Write("BemaSB32.ini", shop.TerminalFile({"0=127.0.0.1", "1=127.0.0.3"}));
    shop.Write("Quorvel.ini", "[TECLAS]\nA=2526#13\nD=2526#13\n" + shop.ConnectionSection(store.ConnectionString()));
    program.Signal(SIGHUP);
    ASSERT_TRUE(shop.WaitFor("program.out",
                             "configura\xC3\xA7\xC3\xB5"
                             "es recarregadas: 1 terminal iniciado, 1 parado, 1 mantido",
                             60s))
        << shop.Output("program.out") << shop.Output("program.err");
    ASSERT_TRUE(shop.WaitForCount("program.out", std::string("terminal 1: ") + kConnected, 2, 60s));

    kept->Type("26<13>");
    added->Type("C23<13>");
    removed->Type("C24<13>");
    ASSERT_TRUE(shop.WaitFor("program.out", "terminal 0: Comando: 2526 / Retorno:000-PRODUTO CAFE ADICIONADO!", 60s))
        << shop.Output("program.out");
    kept->Type("D");
    EXPECT_TRUE(
        shop.WaitForCount("program.out", "terminal 0: Comando: 2526 / Retorno:000-PRODUTO CAFE ADICIONADO!", 2, 60s))
        << shop.Output("program.out");
    EXPECT_TRUE(shop.WaitFor("program.out", "terminal 1: Comando: C23 / Retorno:000-A COMANDA 23 FOI CRIADA!", 60s))
        << shop.Output("program.out");

    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(10s), 0);
    const std::string status = shop.Output("program.out");
    // The kept terminal was never started again; the removed one stopped
    // before the added one started under its position.
    EXPECT_EQ(Occurrences(status, std::string("terminal 0: ") + kConnected), 1) << status;
    EXPECT_TRUE(ShowsInOrder(status, {std::string("terminal 1: ") + kConnected, "terminal 1: terminal desconectado",
                                      std::string("terminal 1: ") + kConnected}))
        << status;
    EXPECT_EQ(status.find("C24"), std::string::npos) << status;
    EXPECT_EQ(ItemsOfTab(21), 2);
    EXPECT_EQ(store.Value("SELECT COUNT(*) FROM COMANDAS WHERE COM_NUMERO = 24").AsInteger(), 0);
}

}  // namespace
