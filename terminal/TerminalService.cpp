#include "TerminalService.h"

#include "CommandInterpreter.h"
#include "EventGuard.h"
#include "KeyTranslation.h"
#include "LibraryResult.h"
#include "QZ_DIALOG.h"
#include "ServicePanel.h"
#include "Sleeper.h"
#include "TerminalLibrary.h"
#include "Trim.h"
#include "Windows1252.h"

#include <future>
#include <optional>
#include <stdexcept>

namespace {

constexpr int kKeyReadPause = 50;
constexpr int kStartPause = 1000;
constexpr int kReplyPause = 3000;
// Keys one tick reads at most (half a second of pauses). A terminal that
// sends without end then still lets the window handle its events, and the
// keys left over are read by the next tick.
constexpr int kKeysPerTick = 10;
constexpr std::uint16_t kNoKey = 0;
// How often the wait for a command looks at the clock and the stop.
constexpr std::chrono::milliseconds kWaitLook{20};
using Clock = std::chrono::steady_clock;

// The line about a command whose outcome is not known as the terminal stops.
std::string StoppedWithoutKnowing(const std::string& command) {
    return "parado sem saber se o comando " + command + " foi gravado; confira com V";
}

// The key-log entry of a code read: its character in Windows-1252 ("?" when
// the code page has none), " [", the code, "]".
Windows1252Text ReceivedKeyEntry(std::uint16_t code) {
    return CodePointToWindows1252(code) + Windows1252Text(" [" + std::to_string(code) + "]");
}

// What the interpreter is given: the line without the prompt in front of
// it, cut at its first blank, carriage return, line feed and NUL. A mapping
// box can hold any text; a NUL ends the line as it ends every text the
// display and the database are given.
void CutCommandLine(std::string& commandLine, const std::string& prompt) {
    if (!prompt.empty() && commandLine.starts_with(prompt))
        commandLine.erase(0, prompt.size());
    for (char cut : {' ', '\r', '\n', '\0'})
        if (size_t at = commandLine.find(cut); at != std::string::npos)
            commandLine.erase(at);
}

}  // namespace

TerminalService::TerminalService(TerminalLibrary& library, Sleeper& sleeper, ServicePanel& panel)
    : library_(library), sleeper_(sleeper), panel_(panel), display_(library) {}

std::string TerminalService::DisplayPrompt() const {
    return interpreter_ ? interpreter_->DisplayPrompt().Bytes() : std::string();
}

void TerminalService::WriteDisplay(const std::string& text) { display_.WriteDisplay(Terminal(), text); }

void TerminalService::Start() {
    const int selected = panel_.SelectedTerminal();
    if (selected < 0) {
        panel_.ShowStatus("selecione o microterminal!");
        ErrorBox("Erro", "Selecione o microterminal!");
        return;
    }
    TerminalNumber = selected;
    // The last text went to the terminal served before; the one started now
    // must get the prompt even when the text is the same.
    display_.ForgetLastDisplayText();
    terminalAway_ = false;
    replyWaitsForReturn_ = false;

    if (library_.IniciaComunicacao() != 1) {
        panel_.ShowStatus("não foi possível estabelecer comunicação com o terminal!");
        ErrorBox("Erro", "Não foi possível estabelecer comunicação com o terminal!");
        return;
    }
    CheckResult(library_.SelecionaProtocolo(panel_.SelectedProtocol()));
    panel_.SetTimerActive(false);
    panel_.WriteKeyLog(Windows1252Text("#LOG: TERMINAL INICIADO#"));
    sleeper_.Pause(kStartPause);
    WriteDisplay(DisplayPrompt());
    panel_.ShowStatus("conexão realizada com sucesso, aguardando comandos...");
    panel_.SetTimerActive(true);
}

void TerminalService::Stop() {
    if (library_.IniciaComunicacao() != 1) {
        ErrorBox("Erro", "Não foi possível finalizar a conexão com o terminal!");
        return;
    }
    panel_.SetTimerActive(false);
    panel_.ShowStatus("terminal desconectado");
    panel_.WriteKeyLog(Windows1252Text("#LOG: TERMINAL PARADO#"));
}

void TerminalService::ClearDisplay() {
    WriteDisplay(DisplayPrompt());
    panel_.ShowStatus("limpeza realizada!");
    panel_.WriteKeyLog(Windows1252Text("#LOG: LIMPAR VISOR#"));
}

void TerminalService::Tick() {
    if (ReplyPending && !quorvel::IsBlank(PendingReply) && !terminalAway_ && !replyWaitsForReturn_)
        ShowPendingReply();
    else
        ResolveUnknownOutcomes();
    ReadKeys();
}

void TerminalService::ResolveUnknownOutcomes() {
    if (!interpreter_ || Clock::now() < nextResolve_ || interpreter_->UnknownOutcomes().empty())
        return;
    std::vector<std::string> lines;
    RunAside(
        [&] {
            lines = interpreter_->ResolveUnknownOutcomes();
            return std::string();
        },
        false);
    nextResolve_ = Clock::now() + ResolveEvery;
    for (const std::string& line : lines)
        panel_.ReportOutcome(line);
}

void TerminalService::LeaveTerminal() {
    if (ReplyPending && !quorvel::IsBlank(PendingReply) && !terminalAway_) {
        ShowWhileWaiting(PendingReply);
        ReplyPending = false;
        PendingReply.clear();
    }
    if (!interpreter_)
        return;
    for (const std::string& command : interpreter_->UnknownOutcomes())
        panel_.ReportOutcome(StoppedWithoutKnowing(command));
}

void TerminalService::ShowWhileWaiting(const std::string& text) {
    if (terminalAway_)
        return;
    try {
        WriteDisplay(text);
    } catch (const OperationAbandoned&) {
        // Its error box has been shown; the command goes on.
    }
}

std::string TerminalService::RunAside(const std::function<std::string()>& work, bool command) {
    std::future<std::string> done = std::async(std::launch::async, work);
    const auto started = Clock::now();
    std::optional<Clock::time_point> stoppedAt;
    bool waitingShown = !command;
    bool givenUp = !command;
    while (done.wait_for(kWaitLook) != std::future_status::ready) {
        const auto now = Clock::now();
        if (!waitingShown && now - started >= WaitingAfter) {
            waitingShown = true;
            ShowWhileWaiting(kWaitingText);
        }
        if (!stoppedAt && sleeper_.StopRequested()) {
            stoppedAt = now;
            interpreter_->Interrupt();
        }
        if (stoppedAt && !givenUp && now - *stoppedAt >= StopGrace) {
            // The service ends without it: the terminal and the log say that
            // its outcome is not known.
            givenUp = true;
            ShowWhileWaiting(kUnknownOutcomeReply);
            panel_.ReportOutcome(StoppedWithoutKnowing(Windows1252ToUtf8(Windows1252Text(CommandLine))));
        }
    }
    return done.get();
}

void TerminalService::ShowPendingReply() {
    panel_.SetTimerActive(false);
    try {
        WriteDisplay(PendingReply);
        ReplyPending = false;
        PendingReply.clear();
        sleeper_.Pause(kReplyPause);
        WriteDisplay(DisplayPrompt());
    } catch (const OperationAbandoned&) {
        // The terminal did not take the text: it may have been switched off.
        // Polling goes on so that it is served again once it is back; a
        // reply still pending waits until the key reads have seen it away.
        replyWaitsForReturn_ = true;
        panel_.SetTimerActive(true);
        throw;
    }
    panel_.SetTimerActive(true);
}

void TerminalService::FollowTerminalPresence(std::uint16_t code) {
    if (code == kNoConnectionCode) {
        terminalAway_ = true;
        replyWaitsForReturn_ = false;
    } else if (terminalAway_) {
        // Back: a terminal that restarted shows a blank display, so the next
        // text is written even when it is the last one written before.
        terminalAway_ = false;
        display_.ForgetLastDisplayText();
    }
}

void TerminalService::ShowCommandLine() {
    if (!terminalAway_)
        WriteDisplay(DisplayPrompt() + CommandLine);
}

void TerminalService::ReadKeys() {
    for (int keys = 0; keys < kKeysPerTick && !sleeper_.StopRequested(); ++keys)
        if (!HandleKey(static_cast<std::uint16_t>(library_.LerBuffer(Terminal()) & 0xFFFF)))
            return;
}

bool TerminalService::HandleKey(std::uint16_t code) {
    FollowTerminalPresence(code);
    sleeper_.Pause(kKeyReadPause);
    panel_.WriteKeyLog(ReceivedKeyEntry(code));
    const std::uint16_t read = code;
    const std::string before = CommandLine;
    TranslateKey(code, panel_, CommandLine, [this] { ShowCommandLine(); });
    if (CommandLine.size() > MaxCommandLine && CommandLine.size() > before.size()) {
        // Dropped whole, an Enter of its letter box included: the line
        // stays as it was, so the display is not written again either.
        CommandLine = before;
        code = read;
    }
    if (code == kEnterKey)
        CompleteCommand();
    else
        ShowCommandLine();
    return code != kEnterKey && code != kNoKey && code != kNoConnectionCode;
}

std::string TerminalService::ProcessCommandLine() {
    try {
        if (!interpreter_)
            throw std::runtime_error("O módulo de dados não foi iniciado.");
        const Windows1252Text command(quorvel::Trim(CommandLine));
        return RunAside([this, &command] { return interpreter_->ProcessCommand(command).Bytes(); }, true);
    } catch (...) {
        // The command is over: it changed nothing (a failed command is
        // undone whole). The terminal is told so like by any reply, and the
        // error goes on to the error box. Polling goes on with an empty
        // line, so the reply is shown (in the window while the box is still
        // up) and the next command can come, which after a lost database
        // connection makes a new one.
        panel_.SetTimerActive(true);
        EndCommand(FailedCommandReply);
        throw;
    }
}

void TerminalService::CompleteCommand() {
    panel_.SetTimerActive(false);
    panel_.WriteKeyLog(Windows1252Text("#LOG: COMANDO RECEBIDO - " + CommandLine + "#"));
    CutCommandLine(CommandLine, DisplayPrompt());
    if (quorvel::IsBlank(CommandLine)) {
        panel_.WriteKeyLog(Windows1252Text("#LOG: COMANDO VAZIO#"));
    } else {
        panel_.WriteKeyLog(Windows1252Text("#LOG: COMANDO DECODIFICADO - " + CommandLine + "#"));
        EndCommand(ProcessCommandLine());
    }
    panel_.SetTimerActive(true);
}

void TerminalService::EndCommand(const std::string& reply) {
    const std::string command = CommandLine;
    CommandLine.clear();
    PendingReply = reply;
    if (!quorvel::IsBlank(reply))
        ReplyPending = true;
    panel_.WriteKeyLog(Windows1252Text("#LOG: RETORNO - " + reply + "#"));
    panel_.ShowStatus(Windows1252ToUtf8(Windows1252Text("Comando: " + command + " / Retorno:" + reply)));
}
