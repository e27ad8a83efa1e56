// The built service under a service manager of the test's own: sd_notify's
// datagrams on a socket the test reads, the journal's priority prefixes on
// standard error.
#include "NotifySocket.h"
#include "ShopFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>

namespace {

using namespace std::chrono_literals;

class ServiceNotify : public ::testing::Test {
protected:
    StoreTestDatabase store{StoreTestDatabase::Access::Server};
    ShopFolder shop{store};
};

TEST_F(ServiceNotify, ReportsReadyStatusWatchdogReloadAndStop) {
    NotifySocket manager(10s);
    auto first = shop.Live("first", "127.0.0.1");
    auto second = shop.Live("second", "127.0.0.2");
    ChildProcess program = shop.Program({});

    ASSERT_TRUE(manager.WaitForLine("READY=1", 60s)) << shop.Output("program.err");
    // Ready once the database is connected and every terminal's thread runs.
    const std::string ready = manager.Messages().front();
    EXPECT_TRUE(HasLine(ready, "READY=1")) << ready;
    EXPECT_TRUE(ready.find("STATUS=2 terminais: ") != std::string::npos) << ready;
    EXPECT_TRUE(manager.WaitForLine("STATUS=2 terminais: 2 conectados \xC2\xB7 0 comandos", 60s));
    EXPECT_TRUE(manager.WaitForLine("WATCHDOG=1", 60s));

    first->Type("C21<13>");
    EXPECT_TRUE(manager.WaitForLine("STATUS=2 terminais: 2 conectados \xC2\xB7 1 comando", 60s));

    manager.Clear();
    program.Signal(SIGHUP);
    EXPECT_TRUE(manager.WaitForLine("READY=1", 60s));
    const auto& messages = manager.Messages();
    const auto firstWith = [&messages](const char* line) {
        return std::find_if(messages.begin(), messages.end(), [line](const auto& m) { return HasLine(m, line); });
    };
    EXPECT_LT(firstWith("RELOADING=1"), firstWith("READY=1"));

    manager.Clear();
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(10s), 0);
    EXPECT_TRUE(manager.WaitForLine("STOPPING=1", 1s));
}

// Standard error as the service manager hands it to a service: JOURNAL_STREAM
// names its device and inode.
TEST_F(ServiceNotify, ErrorLinesCarryTheJournalPriorityOnlyWhenStandardErrorIsTheJournal) {
    const struct {
        const char* name;
        bool journal;
        const char* line;
    } cases[] = {
        {"at a console", false, "argumento desconhecido \"--verbose\""},
        {"into the journal", true, "<3>argumento desconhecido \"--verbose\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shop.Write("program.err", "");
        struct stat file {};
        ASSERT_EQ(stat((shop.Path() / "program.err").c_str(), &file), 0);
        if (c.journal)
            setenv("JOURNAL_STREAM", (std::to_string(file.st_dev) + ":" + std::to_string(file.st_ino)).c_str(), 1);
        ChildProcess program = shop.Program({"--verbose"});
        EXPECT_EQ(program.Wait(30s), 2);
        unsetenv("JOURNAL_STREAM");
        EXPECT_EQ(shop.Output("program.err").rfind(c.line, 0), 0u) << shop.Output("program.err");
    }
}

}  // namespace
