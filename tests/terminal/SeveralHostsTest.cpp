// A large shop's split: two service processes, each serving its own
// terminals of one list, on one tab of one database.
#include "ShopFolder.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using namespace std::chrono_literals;

constexpr const char* kAdded = "Comando: 2526 / Retorno:000-PRODUTO CAFE ADICIONADO!";

TEST(SeveralServiceHosts, TwoServicesWithDisjointTerminalsFillOneTabWithoutLoss) {
    StoreTestDatabase store(StoreTestDatabase::Access::Server);
    ShopFolder shop(store);
    auto first = shop.Live("first", "127.0.0.1");
    auto second = shop.Live("second", "127.0.0.2");
    ChildProcess hostA = shop.Program({"--terminal", "0"}, "host-a");
    ChildProcess hostB = shop.Program({"--terminal", "1"}, "host-b");

    first->Type("C40<13>");
    ASSERT_TRUE(shop.WaitFor("host-a.out", "terminal 0: Comando: C40 / Retorno:000-A COMANDA 40 FOI CRIADA!", 60s))
        << shop.Output("host-a.out") << shop.Output("host-a.err");
    second->Type("C40<13>");
    ASSERT_TRUE(shop.WaitFor("host-b.out", "terminal 1: Comando: C40 / Retorno:000-A COMANDA 40 FOI ABERTA!", 60s))
        << shop.Output("host-b.out") << shop.Output("host-b.err");

    constexpr int kAddsEach = 5;
    first->Type(std::string(kAddsEach, 'A'));
    second->Type(std::string(kAddsEach, 'A'));
    EXPECT_TRUE(shop.WaitForCount("host-a.out", std::string("terminal 0: ") + kAdded, kAddsEach, 120s))
        << shop.Output("host-a.out") << shop.Output("host-a.err");
    EXPECT_TRUE(shop.WaitForCount("host-b.out", std::string("terminal 1: ") + kAdded, kAddsEach, 120s))
        << shop.Output("host-b.out") << shop.Output("host-b.err");

    // Each host served only its own terminal, and every add is stored once,
    // in the tab's totals too.
    EXPECT_EQ(shop.Output("host-a.out").find("terminal 1:"), std::string::npos);
    EXPECT_EQ(shop.Output("host-b.out").find("terminal 0:"), std::string::npos);
    const auto ofTab = [&store](const std::string& what) {
        return store.Value("SELECT " + what + " FROM COMANDAS C WHERE C.COM_NUMERO = 40");
    };
    EXPECT_EQ(ofTab("(SELECT COUNT(*) FROM COMANDASITENS I WHERE I.COM_CODIGO = C.COM_CODIGO)").AsInteger(),
              2 * kAddsEach);
    EXPECT_EQ(ofTab("C.COM_QTDE").AsFixed(), FixedPoint::FromDouble(2 * kAddsEach));
    EXPECT_EQ(ofTab("C.COM_TOTAL").AsFixed(), FixedPoint::FromDouble(2 * kAddsEach * 4.5));

    hostA.Signal(SIGTERM);
    hostB.Signal(SIGTERM);
    EXPECT_EQ(hostA.Wait(10s), 0);
    EXPECT_EQ(hostB.Wait(10s), 0);
    EXPECT_EQ(shop.Output("host-a.err") + shop.Output("host-b.err"), "");
}

}  // namespace
