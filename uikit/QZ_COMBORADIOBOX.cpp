#include "QZ_COMBORADIOBOX.h"

#include "EventGuard.h"
#include "QtWindows1252.h"

#include <QAbstractItemView>
#include <QFocusEvent>

#include <algorithm>

TQZComboRadioBox::TQZComboRadioBox(QWidget* parent) : QComboBox(parent), dataLink_(this) {
    dataLink_.OnDataChange = [this](TQZFieldDataLink&) { DataChange(); };
}

void TQZComboRadioBox::DataChange() {
    dataLink_.Active = false;
    if (IsNull(dataLink_.Value)) {
        setCurrentIndex(-1);
    } else {
        const Windows1252Text text = ValueToText(dataLink_.Value);
        const auto line = std::find(values_.begin(), values_.end(), text);
        if (line != values_.end())
            setCurrentIndex(static_cast<int>(line - values_.begin()));
        else if (isEditable())
            setEditText(FromWindows1252(text));
        else
            setCurrentIndex(findText(FromWindows1252(text)));
    }
    dataLink_.Active = true;
}

void TQZComboRadioBox::focusOutEvent(QFocusEvent* event) {
    // Dropping the list down (its list takes the keys while it is open), or
    // a context menu, does not leave the box.
    if (event->reason() == Qt::PopupFocusReason || view()->isVisible()) {
        QComboBox::focusOutEvent(event);
        return;
    }
    RunGuarded([this] {
        if (isEditable()) {
            dataLink_.UpdateValue(ToWindows1252(currentText()));
            return;
        }
        const int index = currentIndex();
        if (index < 0)
            dataLink_.UpdateValue({});
        else if (index < static_cast<int>(values_.size()))
            dataLink_.UpdateValue(values_[static_cast<std::size_t>(index)]);
    });
    QComboBox::focusOutEvent(event);
}
