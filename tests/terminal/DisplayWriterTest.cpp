#include "DialogRecorder.h"
#include "DisplayWriter.h"
#include "EventGuard.h"
#include "FakeTerminalLibrary.h"

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

const std::string k30 = "ABCDEFGHIJKLMNOPQRSTabcdefghij";

struct LayoutCase {
    const char* name;
    std::string text;
    Calls expected;
};

const LayoutCase kLayouts[] = {
    {"a short text, trimmed first",
     "  \tComanda:C5 \r\n",
     {"LimpaDisplay 3", "PosicionaCursor 3 1 1", "EscreveDisplay 3 Comanda:C5", "PosicionaCursor 3 1 11"}},
    {"a 30-character reply",
     k30,
     {"LimpaDisplay 3", "PosicionaCursor 3 1 1", "EscreveDisplay 3 ABCDEFGHIJKLMNOPQRST", "PosicionaCursor 3 1 31",
      "PosicionaCursor 3 2 1", "EscreveDisplay 3 abcdefghij", "PosicionaCursor 3 2 11"}},
    {"a 90-character text: line 4 takes the rest",
     k30 + k30 + k30,
     {"LimpaDisplay 3", "PosicionaCursor 3 1 1", "EscreveDisplay 3 ABCDEFGHIJKLMNOPQRST", "PosicionaCursor 3 1 91",
      "PosicionaCursor 3 2 1", "EscreveDisplay 3 abcdefghijABCDEFGHIJ", "PosicionaCursor 3 2 71",
      "PosicionaCursor 3 3 1", "EscreveDisplay 3 KLMNOPQRSTabcdefghij", "PosicionaCursor 3 3 51",
      "PosicionaCursor 3 4 1", "EscreveDisplay 3 ABCDEFGHIJKLMNOPQRSTabcdefghij", "PosicionaCursor 3 4 31"}},
    {"blanks only: cleared, nothing written", "   ", {"LimpaDisplay 3"}},
};

TEST(DisplayWriter, LaysTextOutInLinesOf20WithTheCursorAfterTheRest) {
    for (const auto& c : kLayouts) {
        SCOPED_TRACE(c.name);
        FakeTerminalLibrary library;
        DisplayWriter writer(library);
        writer.WriteDisplay(3, c.text);
        EXPECT_EQ(library.calls, c.expected);
        EXPECT_EQ(writer.LastDisplayText(), c.text);
    }
}

TEST(DisplayWriter, SendsAnUnchangedTextOnlyOnce) {
    FakeTerminalLibrary library;
    DisplayWriter writer(library);
    writer.WriteDisplay(0, "Comanda:");
    writer.WriteDisplay(0, "Comanda:");
    EXPECT_EQ(library.calls.size(), 4u);
    writer.WriteDisplay(0, "comanda:");  // the comparison heeds case
    EXPECT_EQ(library.calls.size(), 8u);
    writer.ForgetLastDisplayText();
    writer.WriteDisplay(0, "comanda:");
    EXPECT_EQ(library.calls.size(), 12u);
}

TEST(DisplayWriter, AFailedCallShowsTheErrorAbandonsAndIsNotRetriedForTheSameText) {
    DialogRecorder boxes;
    FakeTerminalLibrary library;
    DisplayWriter writer(library);
    library.results["PosicionaCursor"] = 0;
    bool finished = false;
    RunGuarded([&] {
        writer.WriteDisplay(0, "Comanda:");
        finished = true;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(boxes.boxes, Calls{"Erro / Ocorreu um erro ao executar a operação!"});
    EXPECT_EQ(library.calls, (Calls{"LimpaDisplay 0", "PosicionaCursor 0 1 1"}));

    library.results.clear();
    library.calls.clear();
    writer.WriteDisplay(0, "Comanda:");
    EXPECT_TRUE(library.calls.empty());
}

}  // namespace
