// `Quorvel --status` against the built service in a shop's program folder:
// what it prints while the service runs, as a terminal goes away, and once
// the service is gone (stopped, or killed and its file left behind).
#include "ShopFolder.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace {

using namespace std::chrono_literals;

struct StatusAnswer {
    std::optional<int> exit;
    std::string out;
    std::string err;
};

StatusAnswer AskStatus(const ShopFolder& shop) {
    ChildProcess query = shop.Run({"--status"}, "status");
    StatusAnswer answer;
    answer.exit = query.Wait(60s);
    answer.out = shop.Output("status.out");
    answer.err = shop.Output("status.err");
    return answer;
}

// Asks until the answer holds every part; the last answer either way.
StatusAnswer AskUntilItShows(const ShopFolder& shop, const std::vector<std::string>& parts) {
    StatusAnswer answer;
    WaitUntil(
        [&] {
            answer = AskStatus(shop);
            return std::all_of(parts.begin(), parts.end(),
                               [&](const std::string& part) { return answer.out.find(part) != std::string::npos; });
        },
        60s);
    return answer;
}

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(ServiceStatusQuery, ListsEachTerminalWithItsStateTabAndLastCommandWhileTheServiceRuns) {
    StoreTestDatabase store(StoreTestDatabase::Access::Server);
    ShopFolder shop(store);
    const std::string noService =
        "nenhum servi\xC3\xA7o em execu\xC3\xA7\xC3\xA3o para " + (shop.Path() / "estado.txt").string() + "\n";
    StatusAnswer answer = AskStatus(shop);
    EXPECT_EQ(answer.exit, 3);
    EXPECT_EQ(answer.out, noService);

    auto first = shop.Live("first", "127.0.0.1");
    auto second = shop.Live("second", "127.0.0.2");
    {
        ChildProcess program = shop.Program({});
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(shop.WaitFor("first.out", "DISPLAY Comanda:|||", 60s)) << shop.Output("program.err");
        first->Type("C31<13>");
        ASSERT_TRUE(shop.WaitFor("first.out", "DISPLAY Comanda 31:|||", 60s)) << shop.Output("first.out");

        answer = AskUntilItShows(shop, {"terminal 0 127.0.0.1: conectado desde ",
                                        " \xC2\xB7 comanda 31 \xC2\xB7 \xC3\xBAltimo comando C31, resposta 000, ",
                                        "terminal 1 127.0.0.2: conectado desde "});
        EXPECT_EQ(answer.exit, 0);
        EXPECT_EQ(Lines(answer.out), 2) << answer.out;
        EXPECT_EQ(answer.err, "");

        // The second terminal's device goes away: the service's next key read
        // finds it unreachable.
        EXPECT_EQ(second->End(60s), 0);
        answer = AskUntilItShows(shop, {"terminal 1 127.0.0.2: sem resposta desde "});
        EXPECT_EQ(answer.exit, 0);
        EXPECT_NE(answer.out.find("terminal 0 127.0.0.1: conectado desde "), std::string::npos) << answer.out;

        program.Signal(SIGTERM);
        EXPECT_EQ(program.Wait(10s), 0);
    }
    answer = AskStatus(shop);
    EXPECT_EQ(answer.exit, 3);
    EXPECT_EQ(answer.out, noService);
    EXPECT_FALSE(std::filesystem::exists(shop.Path() / "estado.txt"));

    // Killed, the service leaves its file; no service runs all the same.
    ChildProcess program = shop.Program({}, "killed");
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(shop.Path() / "estado.txt"); }, 60s))
        << shop.Output("killed.err");
    program.Signal(SIGKILL);
    EXPECT_EQ(program.Wait(10s), -SIGKILL);
    answer = AskStatus(shop);
    EXPECT_EQ(answer.exit, 3);
    EXPECT_EQ(answer.out, noService);
}

}  // namespace
