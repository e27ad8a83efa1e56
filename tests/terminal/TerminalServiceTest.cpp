#include "DialogRecorder.h"
#include "EventGuard.h"
#include "FakeInterpreter.h"
#include "FakeServicePanel.h"
#include "FakeTerminalLibrary.h"
#include "RecordingSleeper.h"
#include "TerminalService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>

namespace {

using Calls = std::vector<std::string>;

Calls Shown(int terminal, const std::string& text) {
    const std::string t = std::to_string(terminal);
    return {"LimpaDisplay " + t, "PosicionaCursor " + t + " 1 1", "EscreveDisplay " + t + " " + text,
            "PosicionaCursor " + t + " 1 " + std::to_string(text.size() + 1)};
}

Calls Joined(std::initializer_list<Calls> parts) {
    Calls all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class TerminalServiceTest : public ::testing::Test {
protected:
    TerminalServiceTest() { service.SetInterpreter(&interpreter); }

    // Runs an entry point the way the window does; false when it was abandoned
    // or raised an error.
    bool Guarded(void (TerminalService::*handler)()) {
        bool finished = false;
        RunGuarded([&] {
            (service.*handler)();
            finished = true;
        });
        return finished;
    }
    void StartFresh() {
        ASSERT_TRUE(Guarded(&TerminalService::Start));
        library.calls.clear();
        sleeper.pauses.clear();
        panel.keyLog.clear();
    }

    DialogRecorder boxes;
    FakeTerminalLibrary library;
    RecordingSleeper sleeper;
    FakeServicePanel panel;
    FakeInterpreter interpreter;
    TerminalService service{library, sleeper, panel};
};

TEST_F(TerminalServiceTest, StartShowsThePromptAndSwitchesPollingOn) {
    panel.selectedTerminal = 2;
    panel.selectedProtocol = 1;
    EXPECT_TRUE(Guarded(&TerminalService::Start));
    EXPECT_EQ(library.calls, Joined({{"IniciaComunicacao", "SelecionaProtocolo 1"}, Shown(2, "Comanda:")}));
    EXPECT_EQ(sleeper.pauses, std::vector<int>{1000});
    EXPECT_EQ(panel.keyLog, Calls{"#LOG: TERMINAL INICIADO#"});
    EXPECT_EQ(panel.status, "conexão realizada com sucesso, aguardando comandos...");
    EXPECT_TRUE(panel.timerActive);
    EXPECT_EQ(service.TerminalNumber, 2);
}

TEST_F(TerminalServiceTest, TheRoadOfOneCommand) {
    StartFresh();
    library.Type("C5\r");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(), Joined({Shown(0, "Comanda:C"), Shown(0, "Comanda:C5")}));
    EXPECT_EQ(interpreter.received, Calls{"C5"});
    EXPECT_EQ(panel.status, "Comando: C5 / Retorno:000-A COMANDA 5 FOI CRIADA!");
    EXPECT_EQ(panel.keyLog,
              (Calls{"C [67]", "5 [53]", "\r [13]", "#LOG: COMANDO RECEBIDO - C5#", "#LOG: COMANDO DECODIFICADO - C5#",
                     "#LOG: RETORNO - 000-A COMANDA 5 FOI CRIADA!#"}));
    EXPECT_EQ(sleeper.pauses, (std::vector<int>{50, 50, 50}));
    EXPECT_TRUE(service.ReplyPending);
    EXPECT_EQ(service.CommandLine, "");
    EXPECT_TRUE(panel.timerActive);

    library.calls.clear();
    sleeper.pauses.clear();
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(),
              Joined({{"LimpaDisplay 0", "PosicionaCursor 0 1 1", "EscreveDisplay 0 000-A COMANDA 5 FOI ",
                       "PosicionaCursor 0 1 28", "PosicionaCursor 0 2 1", "EscreveDisplay 0 CRIADA!",
                       "PosicionaCursor 0 2 8"},
                      Shown(0, "Comanda 5:")}));
    EXPECT_EQ(sleeper.pauses, (std::vector<int>{3000, 50}));
    EXPECT_FALSE(service.ReplyPending);
    EXPECT_EQ(service.PendingReply, "");
    EXPECT_TRUE(panel.timerActive);
}

struct CompletionCase {
    const char* name;
    std::string before;  // CommandLine when the keys arrive
    std::string keys;
    std::vector<std::string> interpreted;
    std::string status;
    std::string after;  // CommandLine afterwards
};

TEST_F(TerminalServiceTest, CompletingACommand) {
    const CompletionCase cases[] = {
        {"Enter on an empty line", "", "\r", {}, "terminal desconectado", ""},
        {"cut at the first blank", "C5 X", "\r", {"C5"}, "Comando: C5 / Retorno:000-A COMANDA 5 FOI CRIADA!", ""},
        {"cut at a carriage return", "V\r1", "\r", {"V"}, "Comando: V / Retorno:000-OK", ""},
        {"a line that is only blank after the cut", " V", "\r", {}, "terminal desconectado", ""},
        {"the prompt in front is removed", "Comanda:V", "\r", {"V"}, "Comando: V / Retorno:000-OK", ""},
        {"letter box with #13", "", "a", {"2526"}, "Comando: 2526 / Retorno:000-OK", ""},
        {"letter box #13 alone acts as Enter", "V", "B", {"V"}, "Comando: V / Retorno:000-OK", ""},
        {"keys after Enter wait for the next tick", "", "V\r12", {"V"}, "Comando: V / Retorno:000-OK", ""},
        {"cut at a NUL",
         std::string("C5\0"
                     "9",
                     4),
         "\r",
         {"C5"},
         "Comando: C5 / Retorno:000-A COMANDA 5 FOI CRIADA!",
         ""},
        {"a NUL in a letter box ends the line", "", "d", {"25"}, "Comando: 25 / Retorno:000-OK", ""},
        {"a line that begins with a NUL is empty",
         std::string("\0"
                     "C5",
                     3),
         "\r",
         {},
         "terminal desconectado",
         ""},
    };
    panel.letters['A' - 'A'] = "2526#13";
    panel.letters['B' - 'A'] = "#13";
    panel.letters['D' - 'A'] = std::string(
        "25\0"
        "99#13",
        8);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        library.keys.clear();
        interpreter.prompt = "Comanda:";
        interpreter.received.clear();
        panel.status = "terminal desconectado";
        panel.keyLog.clear();
        service.CommandLine = c.before;
        library.Type(c.keys);
        EXPECT_TRUE(Guarded(&TerminalService::Tick));
        EXPECT_EQ(interpreter.received, c.interpreted);
        EXPECT_EQ(panel.status, c.status);
        EXPECT_EQ(service.CommandLine, c.after);
        EXPECT_EQ(panel.keyLog.back() == "#LOG: COMANDO VAZIO#", c.interpreted.empty());
        service.ReplyPending = false;
        service.PendingReply.clear();
    }
}

TEST_F(TerminalServiceTest, APairOnEnterActsBeforeTheCommandCompletes) {
    panel.specialCodes[1] = "13";
    panel.specialActions[1] = 6;
    library.Type("12\r");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(interpreter.received, Calls{"12V"});
}

TEST_F(TerminalServiceTest, EnterOnAnEmptyLineLeavesTheDisplayAlone) {
    StartFresh();
    library.Type("\r");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(library.DisplayCalls().empty());
    EXPECT_EQ(panel.keyLog.back(), "#LOG: COMANDO VAZIO#");
    EXPECT_TRUE(panel.timerActive);
}

TEST_F(TerminalServiceTest, ABlankReplyIsStoredButNeverShown) {
    StartFresh();
    interpreter.reply = "   ";
    library.Type("V\r");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(service.PendingReply, "   ");
    EXPECT_FALSE(service.ReplyPending);
    library.calls.clear();
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(), Shown(0, "Comanda:"));  // the prompt without the V
}

TEST_F(TerminalServiceTest, SpecialActionSevenStartsANewCommand) {
    StartFresh();
    library.keys = {'C', '1', 27, 'C', '2', 13};
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(), Joined({Shown(0, "Comanda:C"), Shown(0, "Comanda:C1"), Shown(0, "Comanda:"),
                                              Shown(0, "Comanda:C"), Shown(0, "Comanda:C2")}));
    EXPECT_EQ(interpreter.received, Calls{"C2"});
}

TEST_F(TerminalServiceTest, CodesOutsideTheCharacterSetAreLoggedAsQuestionMarks) {
    StartFresh();
    library.keys = {0xE9, 65280};
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(panel.keyLog, (Calls{"\xE9 [233]", "? [65280]"}));
    library.keys = {};
    panel.keyLog.clear();
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(panel.keyLog, Calls{std::string(1, '\0') + " [0]"});
}

TEST_F(TerminalServiceTest, StopKeepsWhatWasTypedForTheNextStart) {
    StartFresh();
    library.Type("C1");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(Guarded(&TerminalService::Stop));
    EXPECT_FALSE(panel.timerActive);
    EXPECT_EQ(panel.status, "terminal desconectado");
    EXPECT_EQ(panel.keyLog.back(), "#LOG: TERMINAL PARADO#");
    EXPECT_EQ(service.CommandLine, "C1");

    StartFresh();
    library.Type("2\r");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(interpreter.received, Calls{"C12"});
}

TEST_F(TerminalServiceTest, ClearDisplayPutsThePromptBackAndKeepsTheLine) {
    EXPECT_TRUE(Guarded(&TerminalService::ClearDisplay));  // before any start: terminal 0
    EXPECT_EQ(library.calls, Shown(0, "Comanda:"));
    EXPECT_EQ(panel.status, "limpeza realizada!");
    EXPECT_EQ(panel.keyLog, Calls{"#LOG: LIMPAR VISOR#"});

    StartFresh();
    library.Type("C");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    library.calls.clear();
    EXPECT_TRUE(Guarded(&TerminalService::ClearDisplay));
    EXPECT_EQ(library.calls, Shown(0, "Comanda:"));
    EXPECT_EQ(service.CommandLine, "C");
}

TEST_F(TerminalServiceTest, StartingAnotherTerminalShowsItThePrompt) {
    StartFresh();
    panel.selectedTerminal = 1;
    EXPECT_TRUE(Guarded(&TerminalService::Start));
    EXPECT_EQ(library.DisplayCalls(), Joined({{"IniciaComunicacao", "SelecionaProtocolo 0"}, Shown(1, "Comanda:")}));
}

TEST_F(TerminalServiceTest, FailuresAtStartAndStop) {
    StartFresh();
    panel.selectedTerminal = -1;
    EXPECT_TRUE(Guarded(&TerminalService::Start));
    EXPECT_EQ(panel.status, "selecione o microterminal!");
    EXPECT_TRUE(library.calls.empty());

    panel.selectedTerminal = 4;
    library.results["IniciaComunicacao"] = 0;
    EXPECT_TRUE(Guarded(&TerminalService::Start));
    EXPECT_EQ(panel.status, "não foi possível estabelecer comunicação com o terminal!");
    EXPECT_TRUE(panel.timerActive);        // left as it was
    EXPECT_EQ(service.TerminalNumber, 4);  // polling goes on with the new number

    panel.status = "unchanged";
    EXPECT_TRUE(Guarded(&TerminalService::Stop));
    EXPECT_TRUE(panel.timerActive);
    EXPECT_EQ(panel.status, "unchanged");

    library.results = {{"SelecionaProtocolo", 0}};
    panel.timerActive = false;
    panel.keyLog.clear();
    EXPECT_FALSE(Guarded(&TerminalService::Start));
    EXPECT_FALSE(panel.timerActive);
    EXPECT_TRUE(panel.keyLog.empty());
    EXPECT_EQ(panel.status, "unchanged");

    EXPECT_EQ(boxes.boxes, (Calls{"Erro / Selecione o microterminal!",
                                  "Erro / Não foi possível estabelecer comunicação com o terminal!",
                                  "Erro / Não foi possível finalizar a conexão com o terminal!",
                                  "Erro / Ocorreu um erro ao executar a operação!"}));
}

TEST_F(TerminalServiceTest, ATerminalThatComesBackGetsThePromptAndTheLineAgain) {
    constexpr int kAway = 65280;
    panel.specialCodes[1] = "65280";
    panel.specialActions[1] = 7;
    StartFresh();
    library.keys = {'C', '1', kAway};
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(), Joined({Shown(0, "Comanda:C"), Shown(0, "Comanda:C1")}));

    // Away: nothing is written to the display, even when the line changes.
    library.calls.clear();
    library.keys = {kAway, kAway};
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(library.DisplayCalls().empty());
    EXPECT_EQ(service.CommandLine, "");

    // Back: the display gets the prompt and the line, even when that is the
    // text it showed before it went away.
    library.keys = {'5'};
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(), Shown(0, "Comanda:5"));
    library.calls.clear();
    panel.specialCodes[1] = "";
    library.keys = {kAway};
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(), Shown(0, "Comanda:5"));
    EXPECT_TRUE(panel.timerActive);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(TerminalServiceTest, AReplyThatFailedToShowWaitsUntilTheTerminalIsBack) {
    constexpr int kAway = 65280;
    StartFresh();
    library.Type("V\r");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    library.results["EscreveDisplay"] = 0;
    EXPECT_FALSE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(panel.timerActive);  // polling goes on
    EXPECT_TRUE(service.ReplyPending);
    EXPECT_EQ(service.PendingReply, "000-OK");

    // Not tried again at every tick while the terminal does not answer.
    library.calls.clear();
    library.keys = {kAway, kAway, kAway};
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(library.DisplayCalls().empty());
    EXPECT_EQ(boxes.boxes, Calls{"Erro / Ocorreu um erro ao executar a operação!"});

    library.results.clear();
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(), Joined({Shown(0, "Comanda:"), Shown(0, "000-OK"), Shown(0, "Comanda:")}));
    EXPECT_FALSE(service.ReplyPending);
    EXPECT_TRUE(panel.timerActive);
}

TEST_F(TerminalServiceTest, AReplyThatFailedToShowIsShownAfterTheNextStart) {
    StartFresh();
    library.Type("V\r");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    library.results["EscreveDisplay"] = 0;
    EXPECT_FALSE(Guarded(&TerminalService::Tick));

    library.results.clear();
    StartFresh();
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(), Joined({Shown(0, "000-OK"), Shown(0, "Comanda:")}));
    EXPECT_TRUE(panel.timerActive);
}

TEST_F(TerminalServiceTest, AFailedWriteWhileTypingEndsOnlyThatTick) {
    StartFresh();
    library.results["EscreveDisplay"] = 0;
    library.Type("C1");
    EXPECT_FALSE(Guarded(&TerminalService::Tick));
    EXPECT_TRUE(panel.timerActive);
    EXPECT_EQ(service.CommandLine, "C");

    library.results.clear();
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(service.CommandLine, "C1");
}

TEST_F(TerminalServiceTest, ACommandThatFailsIsAnsweredOnTheDisplayAndPollingGoesOn) {
    StartFresh();
    interpreter.failure = "connection lost to database";
    library.Type("C5\r");
    EXPECT_FALSE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(boxes.boxes.back(), "Quorvel / connection lost to database");
    EXPECT_TRUE(panel.timerActive);
    EXPECT_EQ(service.CommandLine, "");
    EXPECT_EQ(panel.status, "Comando: C5 / Retorno:900-ERRO! O COMANDO NÃO FOI EXECUTADO!");
    EXPECT_EQ(panel.keyLog.back(), "#LOG: RETORNO - 900-ERRO! O COMANDO N\xC3O FOI EXECUTADO!#");

    // Shown at the next tick and held like any reply, then the prompt.
    interpreter.failure.clear();
    library.calls.clear();
    sleeper.pauses.clear();
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(library.DisplayCalls(),
              Joined({{"LimpaDisplay 0", "PosicionaCursor 0 1 1", "EscreveDisplay 0 900-ERRO! O COMANDO ",
                       "PosicionaCursor 0 1 39", "PosicionaCursor 0 2 1", "EscreveDisplay 0 N\xC3O FOI EXECUTADO!",
                       "PosicionaCursor 0 2 19"},
                      Shown(0, "Comanda:")}));
    EXPECT_EQ(sleeper.pauses, (std::vector<int>{3000, 50}));
    EXPECT_FALSE(service.ReplyPending);

    // The next command is the interpreter's alone, not glued to the failed one.
    library.Type("V\r");
    EXPECT_TRUE(Guarded(&TerminalService::Tick));
    EXPECT_EQ(interpreter.received.back(), "V");
    EXPECT_EQ(service.PendingReply, "000-OK");
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

}  // namespace

namespace {

// A command that takes its time: it waits until the test lets it end, or
// (when it heeds Interrupt) until it is interrupted, and then fails.
class SlowInterpreter : public FakeInterpreter {
public:
    Windows1252Text ProcessCommand(const Windows1252Text& text) override {
        if (onStart)
            onStart();
        std::unique_lock lock(mutex_);
        ended_.wait_for(lock, std::chrono::seconds(60),
                        [this] { return released_ || (heedsInterrupt && interrupted_); });
        if (!released_)
            throw std::runtime_error("interrupted");
        lock.unlock();
        return FakeInterpreter::ProcessCommand(text);
    }
    void Interrupt() override {
        {
            const std::lock_guard lock(mutex_);
            interrupted_ = true;
        }
        ended_.notify_all();
    }
    void Release() {
        {
            const std::lock_guard lock(mutex_);
            released_ = true;
        }
        ended_.notify_all();
    }

    bool heedsInterrupt = true;
    std::function<void()> onStart;

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool released_ = false;
    bool interrupted_ = false;
};

class StoppingSleeper : public RecordingSleeper {
public:
    bool StopRequested() const override { return stop; }
    std::atomic<bool> stop = false;
};

// Whether the display was written texts starting with these, in this order.
bool WritesInOrder(const std::vector<std::string>& calls, const std::vector<std::string>& starts) {
    auto call = calls.begin();
    for (const std::string& start : starts) {
        call = std::find_if(call, calls.end(),
                            [&](const std::string& made) { return made.starts_with("EscreveDisplay 0 " + start); });
        if (call == calls.end())
            return false;
        ++call;
    }
    return true;
}

}  // namespace

TEST(TerminalServiceWaits, ACommandThatTakesItsTimeShowsTheWaitingTextUntilItsReply) {
    FakeTerminalLibrary library;
    RecordingSleeper sleeper;
    FakeServicePanel panel;
    SlowInterpreter interpreter;
    TerminalService service{library, sleeper, panel};
    service.SetInterpreter(&interpreter);
    RunGuarded([&] { service.Start(); });
    // The command ends once the terminal shows that it waits.
    library.onCall = [&](const std::string& call) {
        if (call.find("AGUARDE") != std::string::npos)
            interpreter.Release();
    };
    library.Type("V\r");
    RunGuarded([&] { service.Tick(); });
    RunGuarded([&] { service.Tick(); });
    EXPECT_TRUE(WritesInOrder(library.calls, {"Comanda:V", "AGUARDE: CONF", "000-OK", "Comanda:"}));
}

TEST(TerminalServiceWaits, AStopDuringACommandLeavesATrueReplyOnTheDisplay) {
    const struct {
        const char* name;
        bool heedsInterrupt;
        std::vector<std::string> shown;  // in this order
    } cases[] = {
        {"the command ends: nothing done", true, {"Comanda:V", "900-ERRO! O COMANDO "}},
        {"the command does not end in time",
         false,
         {"Comanda:V", "901-N\xC3O SE SABE SE O", "000-OK"}},  // then its late reply, when it comes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogRecorder boxes;
        FakeTerminalLibrary library;
        StoppingSleeper sleeper;
        FakeServicePanel panel;
        SlowInterpreter interpreter;
        interpreter.heedsInterrupt = c.heedsInterrupt;
        interpreter.onStart = [&sleeper] { sleeper.stop = true; };
        TerminalService service{library, sleeper, panel};
        service.SetInterpreter(&interpreter);
        RunGuarded([&] { service.Start(); });
        library.onCall = [&](const std::string& call) {
            if (call.starts_with("EscreveDisplay 0 901-"))
                interpreter.Release();
        };
        library.Type("V\r");
        RunGuarded([&] { service.Tick(); });
        RunGuarded([&] { service.LeaveTerminal(); });
        EXPECT_TRUE(WritesInOrder(library.calls, c.shown));
        EXPECT_FALSE(WritesInOrder(library.calls, {"AGUARDE"}));
    }
}

namespace {

// Commands whose outcome is unknown until the store answers again.
class UnsettledInterpreter : public FakeInterpreter {
public:
    std::vector<std::string> UnknownOutcomes() const override { return unsettled; }
    std::vector<std::string> ResolveUnknownOutcomes() override {
        ++tries;
        if (!storeAnswers)
            return {};
        std::vector<std::string> lines;
        for (const auto& command : unsettled)
            lines.push_back("comando " + command + " de resultado desconhecido: foi gravado");
        unsettled.clear();
        return lines;
    }

    std::vector<std::string> unsettled{"2526"};
    bool storeAnswers = false;
    int tries = 0;
};

}  // namespace

TEST(TerminalServiceWaits, UnknownOutcomesAreSettledOnIdleTicksOrNamedWhenTheTerminalIsLeft) {
    FakeTerminalLibrary library;
    RecordingSleeper sleeper;
    FakeServicePanel panel;
    UnsettledInterpreter interpreter;
    TerminalService service{library, sleeper, panel};
    service.SetInterpreter(&interpreter);
    RunGuarded([&] { service.Start(); });

    RunGuarded([&] { service.Tick(); });
    RunGuarded([&] { service.Tick(); });  // within the pause between two tries: not asked
    EXPECT_EQ(interpreter.tries, 1);
    service.LeaveTerminal();
    EXPECT_EQ(panel.status, "parado sem saber se o comando 2526 foi gravado; confira com V");

    TerminalService next{library, sleeper, panel};
    next.SetInterpreter(&interpreter);
    interpreter.storeAnswers = true;
    RunGuarded([&] { next.Tick(); });
    EXPECT_EQ(panel.status, "comando 2526 de resultado desconhecido: foi gravado");
    EXPECT_TRUE(interpreter.unsettled.empty());
}
