#pragma once
// A set of rows with a current row, read and edited field by field by name
// (names compare without regard to case). The rows are loaded when the data
// set is opened; the first row is then current. Edits go to a record buffer
// (state edit or insert) until Post writes it or Cancel drops it.
//
// A closed data set, or one without rows, reads every field as null.
#include "ChangeListeners.h"
#include "FieldValue.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct RowSet;
class Transaction;

enum class DataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

class DataSet {
public:
    DataSet() = default;
    virtual ~DataSet() = default;
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    // Values of the ":NAME" parameters of the select text, used by the next
    // Open.
    SqlParameters Params;

    // Loads the rows; an open data set is closed first. Throws DatabaseError.
    void Open();
    // Drops the rows and any pending record.
    void Close();
    bool Active() const { return state_ != DataSetState::dsInactive; }
    DataSetState State() const { return state_; }

    std::size_t RecordCount() const { return rows_.size(); }
    bool IsEmpty() const { return rows_.empty(); }
    // Move the current row to the last one or the next one; both drop a
    // pending record like Cancel does.
    void Last();
    void Next();

    bool HasField(const std::string& name) const;
    // The current value (the record buffer while editing). Null when the
    // data set is closed or has no current row. Throws DatabaseError
    // "Field '<name>' not found" for a name an open data set does not hold.
    const FieldValue& FieldByName(const std::string& name) const;
    // Sets a field of the record buffer. Throws std::logic_error when not in
    // edit or insert state, DatabaseError for an unknown name.
    void SetField(const std::string& name, FieldValue value);
    // True when the field was set since Edit or Append.
    bool IsModified(const std::string& name) const;

    // Starts a new, all-null record (state insert). Throws std::logic_error
    // when the data set is closed or read only.
    void Append();
    // Starts editing the current row (state edit). Throws std::logic_error
    // when there is no current row or the data set is read only.
    void Edit();
    // Writes the pending record and makes it the current row (state browse).
    // Does nothing in browse state. On failure the record stays pending and
    // the error is raised again.
    void Post();
    // Drops the pending record; the current row is the one before it.
    void Cancel();

    virtual bool ReadOnly() const = 0;

    // What the data set shows, kept aside to be put back after a failed
    // command: open or closed, its columns and its current row (the other
    // rows are not kept).
    struct View {
        bool active = false;
        std::vector<std::string> columns;
        std::vector<std::vector<FieldValue>> rows;  // the current row, or none
    };
    View CurrentView() const;
    // Shows the view again (browse state, or closed); a pending record is
    // dropped.
    void Restore(View view);

    // Called after every change of what the data set shows (open, close,
    // move, field set, post, cancel). Returns an id for removing it.
    int AddDataChangeListener(std::function<void()> listener);
    void RemoveDataChangeListener(int id);

protected:
    struct PendingRecord {
        DataSetState state;                       // edit or insert
        const std::vector<FieldValue>* original;  // the row being edited; null on insert
        std::vector<FieldValue>& values;          // the record buffer (may be changed by the write)
        const std::vector<bool>& modified;        // fields set since Edit or Append
    };
    // Loads the rows when opened.
    virtual RowSet Fetch() = 0;
    // The rows of `sql` run with Params.
    RowSet Select(Transaction& transaction, const std::string& sql) const;
    // Writes the pending record to the store; may update its values (a
    // generated key, a refreshed row).
    virtual void Write(const PendingRecord& record) = 0;

    std::size_t FieldIndex(const std::string& name) const;
    // Takes the columns of the first row of `fresh` that the data set holds
    // into its current row; false, and nothing changed, when `fresh` has no
    // row or there is no current row. Browse state only.
    bool TakeIntoCurrentRow(const RowSet& fresh);

private:
    std::optional<std::size_t> FindField(const std::string& name) const;
    // The columns and their index by name, in upper case.
    void SetColumns(std::vector<std::string> columns);
    bool Editing() const { return state_ == DataSetState::dsEdit || state_ == DataSetState::dsInsert; }
    // Drops the record buffer and returns to browse state.
    void EndEditing();
    void NotifyDataChange();

    DataSetState state_ = DataSetState::dsInactive;
    std::vector<std::string> columns_;
    std::vector<std::string> indexedColumns_;  // the columns columnIndex_ was made for
    std::unordered_map<std::string, std::size_t> columnIndex_;
    std::vector<std::vector<FieldValue>> rows_;
    std::size_t current_ = 0;
    std::vector<FieldValue> buffer_;
    std::vector<bool> modified_;
    ChangeListeners changeListeners_;
};

// Closes the data set when the scope ends, on every path.
class CloseOnExit {
public:
    explicit CloseOnExit(DataSet& dataSet) : dataSet_(dataSet) {}
    ~CloseOnExit() { dataSet_.Close(); }
    CloseOnExit(const CloseOnExit&) = delete;
    CloseOnExit& operator=(const CloseOnExit&) = delete;

private:
    DataSet& dataSet_;
};
