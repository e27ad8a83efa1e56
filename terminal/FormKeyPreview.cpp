#include "FormKeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

FormKeyPreview::FormKeyPreview(QWidget& window, std::function<void(int key)> onKeyDown)
    : window_(window), onKeyDown_(std::move(onKeyDown)) {
    qApp->installEventFilter(this);
}

// A key press goes first to the window's focus widget (to the window itself
// when nothing in it has the focus) and then, as long as nobody takes it, up
// through the parents. Only that first delivery is previewed, so a key that
// travels up is seen once.
bool FormKeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        QWidget* firstReceiver = window_.focusWidget() ? window_.focusWidget() : &window_;
        if (watched == firstReceiver)
            onKeyDown_(static_cast<QKeyEvent*>(event)->key());
    }
    return QObject::eventFilter(watched, event);
}
