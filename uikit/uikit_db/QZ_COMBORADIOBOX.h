#pragma once
// TQZComboRadioBox: a drop-down list tied to a field, whose items stand for
// stored values: line i of Values is what item i writes into the field. A
// pick-only list (not editable) selects the item of the field's value; an
// editable one shows and writes its text.
#include "QZ_DB.h"

#include <QComboBox>

#include <vector>

class TQZComboRadioBox : public QComboBox {
public:
    explicit TQZComboRadioBox(QWidget* parent = nullptr);

    // The stored value of each item, Windows-1252.
    const std::vector<Windows1252Text>& Values() const { return values_; }
    void SetValues(const std::vector<Windows1252Text>& values) { values_ = values; }

    TQZFieldDataLink& DataLink() { return dataLink_; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void DataChange();

    std::vector<Windows1252Text> values_;
    TQZFieldDataLink dataLink_;
};
