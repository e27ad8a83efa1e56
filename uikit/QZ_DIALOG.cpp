#include "QZ_DIALOG.h"

#include "QZ_DIALOG_FORM.h"

#include <utility>

namespace {

DialogBoxHandler& CurrentHandler() {
    static DialogBoxHandler handler;
    return handler;
}

}  // namespace

DialogBoxHandler SetDialogBoxHandler(DialogBoxHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

int DialogBox(TDialogBoxKind kind, const std::string& title, const std::string& text) {
    if (const auto& handler = CurrentHandler())
        return handler(kind, title, text);
    return ShowDialogBoxWindow(kind, title, text);
}

int ErrorBox(const std::string& title, const std::string& text) { return DialogBox(dbkError, title, text); }

int QuestionBox(const std::string& title, const std::string& text) { return DialogBox(dbkQuestion, title, text); }

int InfoBox(const std::string& title, const std::string& text) { return DialogBox(dbkInfo, title, text); }
