#pragma once
// What the terminal service reads from and writes to the main window: the
// selections of the terminal and protocol lists, the status panel, the
// polling timer, the key log gate and the key-mapping boxes.
#include "KeyMapping.h"
#include "Windows1252Text.h"

#include <string>

class ServicePanel : public KeyMapping {
public:
    // The terminal number of the entry selected in CbTerminal (its key in
    // "BemaSB32.ini", which is its position once the list has been saved)
    // and the position selected in CbProtocolo; -1 for none.
    virtual int SelectedTerminal() const = 0;
    virtual int SelectedProtocol() const = 0;
    // The status panel PnComando. UTF-8, unlike the other texts here: the
    // panel shows the program's own messages, and a terminal text shown in
    // it goes through Windows1252ToUtf8 first.
    virtual void ShowStatus(const std::string& text) = 0;
    // Switches the 50 ms polling timer TM on or off.
    virtual void SetTimerActive(bool active) = 0;
    // One key-log entry; written only while CkLog is ticked.
    virtual void WriteKeyLog(const Windows1252Text& entry) = 0;
    // A line about a command answered earlier whose outcome was unknown
    // (UTF-8): whether it was stored after all, or that the service stops
    // without knowing. In the status panel unless the panel says otherwise.
    virtual void ReportOutcome(const std::string& line) { ShowStatus(line); }
};
