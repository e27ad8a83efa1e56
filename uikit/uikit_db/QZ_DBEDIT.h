#pragma once
// TQZEdit: the typed edit box tied to a field through its DataLink. The box
// shows the field's value when the data set moves or changes, and writes
// its value into the field when it loses the focus.
#include "QZ_DB.h"
#include "QZ_EDIT.h"

class TQZEdit : public TQZControlEdit {
public:
    explicit TQZEdit(QWidget* parent = nullptr);

    TQZFieldDataLink& DataLink() { return dataLink_; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();

    TQZFieldDataLink dataLink_;
};
