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
#include "DisplayWriter.h"

#include <cstdint>
#include <string>

class CommandInterpreter;
class ServicePanel;
class Sleeper;
class TerminalLibrary;

class TerminalService {
public:
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
    // next Enter or the end of the buffer.
    void Tick();

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
    void ReadKeys();
    void CompleteCommand();
    // The interpreter's reply to the completed line; on an error the line is
    // emptied and polling switched on again before the error goes on.
    std::string ProcessCommandLine();

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
};
