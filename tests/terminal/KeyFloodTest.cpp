// A terminal that sends keys without a pause (a stuck key, a faulty
// terminal): the polling loop reads them over many ticks without losing
// one, stops between two keys when asked to, and keeps the command line,
// and so the display work per key, within its limit.
#include "DialogRecorder.h"
#include "EventGuard.h"
#include "FakeInterpreter.h"
#include "FakeServicePanel.h"
#include "FakeTerminalLibrary.h"
#include "RecordingSleeper.h"
#include "StopSignal.h"
#include "TerminalService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Calls = std::vector<std::string>;

// Hands out the digits 0 to 9 over and over, `count` keys in all, and then
// the given last key once; every read finds a key waiting until then.
// `onRead` runs after each read with the number of keys read so far.
class KeyFlood : public FakeTerminalLibrary {
public:
    int LerBuffer(unsigned char) override {
        if (sent > count)
            return 0;
        ++sent;
        if (onRead)
            onRead(sent);
        return sent > count ? lastKey : '0' + (sent - 1) % 10;
    }

    // The first n keys of the flood as the command line holds them.
    static std::string FirstKeys(size_t n) {
        std::string keys;
        for (size_t i = 0; i < n; ++i)
            keys += static_cast<char>('0' + i % 10);
        return keys;
    }

    int count = 1000;
    int lastKey = 0;
    int sent = 0;
    std::function<void(int)> onRead;
};

class KeyFloodTest : public ::testing::Test {
protected:
    KeyFloodTest() { service.SetInterpreter(&interpreter); }

    void Tick() {
        RunGuarded([this] { service.Tick(); });
    }
    int DisplayWrites() const {
        return static_cast<int>(std::count(library.calls.begin(), library.calls.end(), "LimpaDisplay 0"));
    }

    DialogRecorder boxes;
    KeyFlood library;
    RecordingSleeper sleeper;
    FakeServicePanel panel;
    FakeInterpreter interpreter;
    TerminalService service{library, sleeper, panel};
};

TEST_F(KeyFloodTest, IsReadOverManyTicksUpToTheLimitOfTheLine) {
    library.lastKey = '\r';
    Tick();
    EXPECT_LT(library.sent, library.count);  // the tick ended with keys still waiting

    for (int tick = 0; tick < library.count && library.sent <= library.count; ++tick)
        Tick();
    // No key lost between ticks; those past the limit changed neither the
    // line nor the display.
    const std::string full = KeyFlood::FirstKeys(TerminalService::MaxCommandLine);
    EXPECT_EQ(interpreter.received, Calls{full});
    EXPECT_EQ(DisplayWrites(), static_cast<int>(TerminalService::MaxCommandLine));
    EXPECT_EQ(service.LastDisplayText(), "Comanda:" + full);
    EXPECT_EQ(panel.keyLog.size(), static_cast<size_t>(library.count) + 4);  // every key, then the command's lines
    EXPECT_EQ(service.CommandLine, "");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(KeyFloodTest, AStopIsHonouredBetweenTwoKeys) {
    StopSignal stop;
    TerminalService stopping(library, stop, panel);
    library.onRead = [&stop](int sent) {
        if (sent == 3)
            stop.Request();
    };
    RunGuarded([&] { stopping.Tick(); });
    EXPECT_EQ(library.sent, 3);
    EXPECT_EQ(stopping.CommandLine, "012");  // the keys read before the stop are kept
}

struct LimitCase {
    const char* name;
    size_t length;  // of the line before the key, made of the flood's digits
    int key;
    std::string after;
    Calls interpreted;
};

TEST_F(KeyFloodTest, AKeyThatWouldPassTheLimitIsDroppedWhole) {
    const size_t limit = TerminalService::MaxCommandLine;
    const std::string full = KeyFlood::FirstKeys(limit);
    const LimitCase cases[] = {
        {"a digit takes the last place", limit - 1, '9', KeyFlood::FirstKeys(limit - 1) + "9", {}},
        {"a digit past the limit", limit, '9', full, {}},
        {"a mapped letter that does not fit, its Enter too", limit - 3, 'a', KeyFlood::FirstKeys(limit - 3), {}},
        {"a mapped letter that fits", limit - 4, 'a', "", {KeyFlood::FirstKeys(limit - 4) + "2526"}},
        {"a special code's letter past the limit", limit, 200, full, {}},
        {"Enter completes a full line", limit, '\r', "", {full}},
        {"clearing empties a full line", limit, 27, "", {}},
    };
    panel.letters['A' - 'A'] = "2526#13";
    panel.specialCodes[1] = "200";
    panel.specialActions[1] = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        interpreter.received.clear();
        service.CommandLine = KeyFlood::FirstKeys(c.length);
        library.count = 0;
        library.sent = 0;
        library.lastKey = c.key;
        Tick();
        EXPECT_EQ(service.CommandLine, c.after);
        EXPECT_EQ(interpreter.received, c.interpreted);
    }
}

}  // namespace
