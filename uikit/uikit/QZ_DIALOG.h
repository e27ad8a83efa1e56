#pragma once
// The system's message boxes. Every message shown to the operator goes
// through DialogBox; the three wrappers name the kind.
#include <cstdint>
#include <functional>
#include <string>

enum TDialogBoxKind : std::uint8_t {
    dbkInfo = 0,
    dbkQuestion = 1,
    dbkWarning = 2,
    dbkError = 3,
    dbkWarningQuestion = 4,
};

// Shows a modal box and returns its result: 1 for "OK"/"SIM", 2 for
// "NÃO (ESC)" or Esc. Title and text are UTF-8.
int DialogBox(TDialogBoxKind kind, const std::string& title, const std::string& text);
int ErrorBox(const std::string& title, const std::string& text);
int QuestionBox(const std::string& title, const std::string& text);
int InfoBox(const std::string& title, const std::string& text);

// What DialogBox does once called. The default beeps and shows the themed
// message window. Where no operator sits at a window the box becomes a
// line: the service without windows (its output), the installation check
// (its report) and the window program once SIGTERM or SIGINT ends it
// (standard error). Tests put a recorder in its place.
using DialogBoxHandler = std::function<int(TDialogBoxKind kind, const std::string& title, const std::string& text)>;

// Replaces the handler and returns the previous one; an empty handler
// restores the default.
DialogBoxHandler SetDialogBoxHandler(DialogBoxHandler handler);
