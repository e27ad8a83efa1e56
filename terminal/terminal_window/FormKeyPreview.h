#pragma once
// A window's key preview: every key pressed in the window is shown to the
// window first, before the control with the focus sees it, and then goes on
// to that control as usual.
#include <QObject>

#include <functional>

class QWidget;

class FormKeyPreview : public QObject {
public:
    // onKeyDown receives the key code (Qt::Key) of each key press.
    FormKeyPreview(QWidget& window, std::function<void(int key)> onKeyDown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void(int key)> onKeyDown_;
};
