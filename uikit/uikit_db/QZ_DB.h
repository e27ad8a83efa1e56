#pragma once
// Ties a control's value to one field of a data set. TDataSource is where
// data-aware controls find their data set; TQZFieldDataLink follows one
// named field of it: it hands the field's value to its control when the
// data set shows something new, and writes the control's value back.
#include "ChangeListeners.h"
#include "EditValue.h"

#include <functional>
#include <string>

class DataSet;
class FieldValue;
class QWidget;

// The data set must outlive the source (or be taken off it first), and the
// source its links.
class TDataSource {
public:
    explicit TDataSource(DataSet* dataSet = nullptr);
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    DataSet* GetDataSet() const { return dataSet_; }
    // Follows another data set (or none) and tells the links.
    void SetDataSet(DataSet* dataSet);

    // Called after every change of what the data set shows, and when the
    // source takes another data set. Returns an id for removing it.
    int AddDataChangeListener(std::function<void()> listener);
    void RemoveDataChangeListener(int id);

private:
    void NotifyDataChange();

    DataSet* dataSet_ = nullptr;
    int dataSetListener_ = 0;
    ChangeListeners changeListeners_;
};

class TQZFieldDataLink {
public:
    // The control is the owner of the link.
    explicit TQZFieldDataLink(QWidget* control);
    ~TQZFieldDataLink();
    TQZFieldDataLink(const TQZFieldDataLink&) = delete;
    TQZFieldDataLink& operator=(const TQZFieldDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    // Links to the source (none for nullptr) and shows its current value.
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const { return dataField_; }
    void SetDataField(const std::string& name);
    // Off only while a change is being applied or written back.
    bool Active = true;

    QWidget* Control() const { return control_; }
    TEditValue Value;
    // Given the link; the owning control shows Value in it.
    std::function<void(TQZFieldDataLink&)> OnDataChange;

    // A source with an open data set holding the field, and Active set.
    bool Usable() const;
    // Takes the field's value and tells the control (when usable).
    void DataChange();
    // Writes the value into the field (when usable and the value differs
    // from the one last read or written).
    void UpdateValue(const TEditValue& value);
    // Writes Value into the field of the current record. A record this step
    // started (editing the current row, or a new one in an empty data set)
    // is posted; when posting fails it is dropped again and the control
    // shows the field's value. A value the field cannot hold clears the
    // field. Throws what the data set throws.
    void UpdateData();

private:
    QWidget* control_;
    TDataSource* dataSource_ = nullptr;
    int listenerId_ = 0;
    std::string dataField_;
};

// A field's value as a box holds it: numbers as floating point, dates and
// times as date-times, text as its Windows-1252 bytes.
TEditValue FieldToEditValue(const FieldValue& field);
// A box's value in the kind of the field's current value (a null field
// takes text, numbers and date-times as they are); nothing when the value
// does not convert to that kind.
std::optional<FieldValue> EditValueToField(const TEditValue& value, const FieldValue& current);
