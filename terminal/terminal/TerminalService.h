#pragma once
// The terminal service for one terminal at a time: start, stop, clear the
// display, and the polling tick that drains the key buffer into a command
// line, hands each completed line to the interpreter and shows the reply.
// Everything runs on the caller's thread; pauses go through the Sleeper.
// A failed library call abandons the operation (OperationAbandoned after
// the error box), so every entry point is meant to run inside RunGuarded.
//
// A terminal that goes away (switched off, restarting, cable pulled) is
// served again without anyone pressing a button: the library reads the
// no-connection code 65280 while it cannot reach the terminal, and the
// first other result after it means the terminal is back. Then the display,
// blank after a restart, gets the prompt and the command line again.
//
// A command that raises an error instead of replying is answered on the
// display with FailedCommandReply, like any reply, before the error goes on
// to the error box.
//
// The interpreter runs each command on a thread of its own while this one
// waits for it, so no wait is without feedback or without end: a command
// that has run for WaitingAfter shows kWaitingText until its reply; a stop
// requested through the sleeper interrupts it (CommandInterpreter::Interrupt),
// and one that has not ended StopGrace after that leaves kUnknownOutcomeReply
// on the display and a line naming it. Commands whose outcome stayed
// unknown are settled on idle ticks, one try every ResolveEvery, each
// settled one reported in a line (ServicePanel::ReportOutcome). Only this
// thread talks to the terminal library.
//
// A terminal that sends keys without end cannot hold the
// caller up: a tick reads a bounded number of keys (the rest wait in the
// library for the next tick), no key is read once the sleeper reports a
// stop, and the command line stops growing at MaxCommandLine.
#include "CommandInterpreter.h"
#include "DisplayWriter.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class ServicePanel;
class Sleeper;
class TerminalLibrary;

class TerminalService {
public:
    // The reply shown when a command raised an error: the code 900 is no
    // reply's, so the person at the terminal sees that nothing was done.
    static constexpr const char* FailedCommandReply = kFailedCommandReply;
    static constexpr std::chrono::milliseconds WaitingAfter{3000};
    static constexpr std::chrono::milliseconds StopGrace{1500};
    static constexpr std::chrono::milliseconds ResolveEvery{5000};
    // Characters the command line holds at most: well above the longest
    // command (a price query for a 30-character bar code, or a scale label,
    // even with the prompt typed in front of it). A key that would make the
    // line longer is dropped whole and the line stays as it was.
    static constexpr size_t MaxCommandLine = 64;

    TerminalService(TerminalLibrary& library, Sleeper& sleeper, ServicePanel& panel);

    // The data module, once it exists. Without it the prompt is empty and a
    // completed command raises an error.
    void SetInterpreter(CommandInterpreter* interpreter) { interpreter_ = interpreter; }

    // Serves the terminal selected in the panel: opens the communication,
    // selects the protocol, shows the prompt and switches the timer on.
    void Start();
    // Ends the communication and switches the timer off; keeps all state.
    void Stop();
    // Puts the prompt back on the display; the command line is kept.
    void ClearDisplay();
    // One polling tick: shows a pending reply, then reads keys up to the
    // next Enter, the end of the buffer, a stop request or the number of
    // keys one tick takes; keys left over are read by the next tick.
    void Tick();

    // Before a service without windows ends: writes a reply still waiting
    // for the next tick at once, without its pause, so it stays on the
    // display, and reports each command whose outcome is still unknown.
    void LeaveTerminal();

    // Shows a text on the display of terminal TerminalNumber.
    void WriteDisplay(const std::string& text);
    const std::string& LastDisplayText() const { return display_.LastDisplayText(); }

    // The terminal served; its number for the library and its key in the
    // vendor settings file. 0 before any start.
    int TerminalNumber = 0;
    // Characters collected since the last completed command (Windows-1252).
    std::string CommandLine;
    // Reply of the last command, waiting to be shown.
    std::string PendingReply;
    bool ReplyPending = false;

private:
    std::string DisplayPrompt() const;
    unsigned char Terminal() const { return static_cast<unsigned char>(TerminalNumber); }
    void ShowPendingReply();
    // Notes from a key read whether the terminal is away or back.
    void FollowTerminalPresence(std::uint16_t code);
    // The prompt and the command line, unless the terminal is away.
    void ShowCommandLine();
    // Reads keys up to the next Enter, the end of the buffer, a stop
    // request or the number of keys one tick takes.
    void ReadKeys();
    // One key read: translated into the command line (unless the line would
    // grow past MaxCommandLine), then the command completed or the line shown.
    // False when the key ends the reading loop.
    bool HandleKey(std::uint16_t code);
    void CompleteCommand();
    // The interpreter's reply to the completed line; on an error the command
    // ends with FailedCommandReply and polling is switched on again before
    // the error goes on.
    std::string ProcessCommandLine();
    // Stores the reply to be shown at the next tick, reports it in the key
    // log and the status panel and empties the command line.
    void EndCommand(const std::string& reply);
    // Runs `work` with the interpreter on a thread of its own and waits for
    // it, passing a stop on to the interpreter. For a command (`command`)
    // the waiting text after WaitingAfter, and the unknown-outcome reply
    // when it has not ended StopGrace after a stop. Its result, or its error.
    std::string RunAside(const std::function<std::string()>& work, bool command);
    // A text on the display unless the terminal is away; a failed write
    // (after its error box) leaves the wait going.
    void ShowWhileWaiting(const std::string& text);
    // Settles the commands whose outcome was unknown, at most once every
    // ResolveEvery.
    void ResolveUnknownOutcomes();

    TerminalLibrary& library_;
    Sleeper& sleeper_;
    ServicePanel& panel_;
    CommandInterpreter* interpreter_ = nullptr;
    DisplayWriter display_;
    // The last key read was the no-connection code: nothing is written to
    // the display until the terminal is back.
    bool terminalAway_ = false;
    // Showing a reply failed: the reply waits until the key reads have seen
    // the terminal away and back (or the next start), instead of failing
    // again at every tick.
    bool replyWaitsForReturn_ = false;
    std::chrono::steady_clock::time_point nextResolve_{};
};
