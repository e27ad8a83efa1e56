#include "QZ_THEME.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

void SendThemeChanged(QWidget* parent) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget)
            continue;
        if (widget->property("ThemeManager").isValid()) {
            QEvent changed(static_cast<QEvent::Type>(QZM_THEMECHANGED));
            QApplication::sendEvent(widget, &changed);
        }
        SendThemeChanged(widget);
    }
}

}  // namespace

void TQZTheme::BroadcastChange() {
    if (!qApp)
        return;
    if (QWidget* form = QApplication::activeWindow())
        SendThemeChanged(form);
}
