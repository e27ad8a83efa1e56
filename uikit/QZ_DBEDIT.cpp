#include "QZ_DBEDIT.h"

#include "EventGuard.h"

#include <QFocusEvent>

TQZEdit::TQZEdit(QWidget* parent) : TQZControlEdit(parent), dataLink_(this) {
    dataLink_.OnDataChange = [this](TQZFieldDataLink&) { DataChange(); };
}

void TQZEdit::DataChange() {
    dataLink_.Active = false;
    SetValue(dataLink_.Value);
    dataLink_.Active = true;
}

void TQZEdit::focusOutEvent(QFocusEvent* event) {
    TQZControlEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)  // a popup menu leaves the focus here
        RunGuarded([this] { dataLink_.UpdateValue(Value()); });
}
