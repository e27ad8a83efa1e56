#pragma once
// Replaces the message boxes while alive: records each box as
// "title / text" and answers with the given result.
#include "QZ_DIALOG.h"

#include <functional>
#include <string>
#include <vector>

class DialogRecorder {
public:
    explicit DialogRecorder(int answer = 1) : answer(answer) {
        previous_ = SetDialogBoxHandler([this](TDialogBoxKind kind, const std::string& title, const std::string& text) {
            kinds.push_back(kind);
            boxes.push_back(title + " / " + text);
            if (whileShown)
                whileShown();
            return this->answer;
        });
    }
    ~DialogRecorder() { SetDialogBoxHandler(previous_); }
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    int answer;
    // Runs while each box is up, in the place of the box's own modal loop:
    // a test lets the event loop run here to see what goes on meanwhile.
    std::function<void()> whileShown;
    std::vector<TDialogBoxKind> kinds;
    std::vector<std::string> boxes;

private:
    DialogBoxHandler previous_;
};
