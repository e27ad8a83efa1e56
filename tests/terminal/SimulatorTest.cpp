// The simulator's terminal without a network: the display protocol as the
// terminal decodes it, the display, and the key lines of the scripted mode.
#include "DisplayDecoder.h"
#include "DisplayEncoder.h"
#include "KeyScript.h"
#include "SimulatedTerminal.h"
#include "SimulatorOptions.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

// Test names and messages show the framing by its name.
void PrintTo(Framing framing, std::ostream* out) { *out << (framing == Framing::StxEtx ? "StxEtx" : "Escape"); }

namespace {

using Kind = DisplayCommand::Kind;

class DecoderTest : public ::testing::TestWithParam<Framing> {
protected:
    std::string Encoded() const {
        return EncodeClear(GetParam()) + EncodeMoveCursor(GetParam(), 2, 5) + EncodeWrite(GetParam(), "A\xE7\xE3o") +
               EncodeMoveCursor(GetParam(), 4, 40) + EncodeWrite(GetParam(), "x\x02y\x1bz");
    }

    const std::vector<DisplayCommand> sent = {
        {Kind::Clear},
        {Kind::MoveCursor, 2, 5},
        {Kind::Write, 0, 0, "A\xE7\xE3o"},
        {Kind::MoveCursor, 4, 40},
        {Kind::Write, 0, 0, "x y z"},
    };
};

INSTANTIATE_TEST_SUITE_P(BothFramings, DecoderTest, ::testing::Values(Framing::StxEtx, Framing::Escape),
                         [](const auto& info) { return ::testing::PrintToString(info.param); });

// Text split between pieces may come out as two writes; joined, it must be
// the text sent.
std::vector<DisplayCommand> Joined(const std::vector<DisplayCommand>& commands) {
    std::vector<DisplayCommand> joined;
    for (const DisplayCommand& command : commands) {
        if (command.kind == Kind::Write && !joined.empty() && joined.back().kind == Kind::Write)
            joined.back().text += command.text;
        else
            joined.push_back(command);
    }
    return joined;
}

TEST_P(DecoderTest, CommandsSurviveAnySplitIntoPieces) {
    const std::string bytes = Encoded();
    for (size_t piece : {bytes.size(), size_t{1}, size_t{2}, size_t{3}, size_t{7}}) {
        SCOPED_TRACE(piece);
        DisplayDecoder decoder(GetParam());
        std::vector<DisplayCommand> decoded;
        for (size_t at = 0; at < bytes.size(); at += piece) {
            for (DisplayCommand& command : decoder.Feed(std::string_view(bytes).substr(at, piece)))
                decoded.push_back(std::move(command));
        }
        EXPECT_EQ(Joined(decoded), sent);
    }
}

TEST_P(DecoderTest, GarbageIsSkippedAndLaterCommandsStillWork) {
    std::mt19937 random(4);
    std::string garbage;
    for (int i = 0; i < 200000; ++i)
        garbage += static_cast<char>(random() % 5 == 0 ? "\x02\x03\x1b[;9"[random() % 6] : random() % 256);
    const std::string overlong = "\x02\x1b[" + std::string(100, '1') + ";1H" + std::string(70000, 'A');

    DisplayDecoder decoder(GetParam());
    decoder.Feed(garbage);
    decoder.Feed(overlong);
    decoder.Feed(GetParam() == Framing::StxEtx ? "\x03" : "\x1b[2J");
    EXPECT_EQ(decoder.Feed(Encoded()), sent);
}

TEST(TerminalDisplayTest, CursorPastTheLineStopsAtItsEnd) {
    TerminalDisplay display;
    EXPECT_FALSE(display.Apply({Kind::MoveCursor, 1, 18}));
    EXPECT_TRUE(display.Apply({Kind::Write, 0, 0, "ABCDE"}));
    EXPECT_EQ(display.Line(1), std::string(17, ' ') + "ABC");
    EXPECT_EQ(display.CursorColumn(), 21);

    EXPECT_FALSE(display.Apply({Kind::MoveCursor, 9, 99}));
    EXPECT_EQ(display.CursorLine(), 4);
    EXPECT_EQ(display.CursorColumn(), 21);
    EXPECT_FALSE(display.Apply({Kind::Write, 0, 0, "lost"}));

    EXPECT_TRUE(display.Apply({Kind::Clear}));
    EXPECT_FALSE(display.Apply({Kind::Clear}));
    EXPECT_EQ(DisplaySnapshot(display), "DISPLAY |||");
}

TEST(SimulatedTerminalTest, NewHostDoesNotCompleteTheLastHostsCommand) {
    SimulatedTerminal terminal(Framing::StxEtx);
    int changes = 0;
    terminal.onDisplayChange = [&](const TerminalDisplay&) { ++changes; };
    terminal.ReceiveFromHost(
        "\x02"
        "AB");
    terminal.HostConnected();
    terminal.ReceiveFromHost("CD\x03\x02XY\x03");
    EXPECT_EQ(DisplaySnapshot(terminal.Display()), "DISPLAY XY|||");
    EXPECT_EQ(changes, 1);
}

struct ScriptCase {
    const char* line;
    std::vector<ScriptStep> steps;
    std::vector<std::string> rejected;
};

TEST(KeyScriptTest, LinesBecomeKeyPressesAndWaits) {
    using S = ScriptStep;
    const ScriptCase cases[] = {
        {"C5<13>", {{S::Kind::Press, 'C'}, {S::Kind::Press, '5'}, {S::Kind::Press, 13}}, {}},
        {"a , .\t<wait 250>z",
         {{S::Kind::Press, 'a'},
          {S::Kind::Press, ','},
          {S::Kind::Press, '.'},
          {S::Kind::Wait, 250},
          {S::Kind::Press, 'z'}},
         {}},
        {"<0><65535>", {{S::Kind::Press, 0}, {S::Kind::Press, 65535}}, {}},
        {"<65536><-1><wait x><13", {}, {"<65536>", "<-1>", "<wait x>", "<13"}},
        {"A+B\xC7", {{S::Kind::Press, 'A'}, {S::Kind::Press, 'B'}}, {"+", "\xC7"}},
        {"", {}, {}},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<std::string> rejected;
        EXPECT_EQ(ParseScriptLine(c.line, rejected), c.steps);
        EXPECT_EQ(rejected, c.rejected);
    }
}

TEST(SimulatorOptionsTest, CommandLineOfTheScriptedMode) {
    const char* full[] = {"terminal-simulator", "--listen", "127.0.0.1:9300", "--protocol", "1",     "--headless",
                          "--linger",           "250",      "--key",          "F1=200",     "--key", "ESC=65535"};
    SimulatorOptions options = ParseSimulatorOptions(std::size(full), full);
    EXPECT_EQ(options.address, "127.0.0.1");
    EXPECT_EQ(options.port, 9300);
    EXPECT_EQ(options.framing, Framing::Escape);
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.linger, std::chrono::milliseconds(250));
    EXPECT_EQ(options.keyboard.Code("F1"), 200);
    EXPECT_EQ(options.keyboard.Code("ESC"), 65535);

    const char* plain[] = {"terminal-simulator", "--listen", "[::1]:9200"};
    options = ParseSimulatorOptions(std::size(plain), plain);
    EXPECT_EQ(options.address, "::1");
    EXPECT_EQ(options.framing, Framing::StxEtx);
    EXPECT_FALSE(options.headless);
    EXPECT_EQ(options.linger, std::chrono::milliseconds(4000));
    EXPECT_EQ(options.keyboard.Code("ESC"), 27);
}

TEST(SimulatorOptionsTest, RefusesWhatItCannotUse) {
    const std::vector<std::vector<const char*>> wrong = {
        {"--headless"},
        {"--listen", "127.0.0.1"},
        {"--listen", "127.0.0.1:65536"},
        {"--listen", "127.0.0.1:9200", "--protocol", "2"},
        {"--listen", "127.0.0.1:9200", "--linger", "-1"},
        {"--listen", "127.0.0.1:9200", "--key", "F9=1"},
        {"--listen", "127.0.0.1:9200", "--key", "F1=65536"},
        {"--listen", "127.0.0.1:9200", "--linger"},
        {"--listen", "127.0.0.1:9200", "--verbose"},
    };
    for (std::vector<const char*> arguments : wrong) {
        arguments.insert(arguments.begin(), "terminal-simulator");
        SCOPED_TRACE(arguments.back());
        EXPECT_THROW(ParseSimulatorOptions(static_cast<int>(arguments.size()), arguments.data()),
                     std::invalid_argument);
    }
}

}  // namespace
