#include "DataSet.h"

#include "DatabaseError.h"
#include "Statement.h"
#include "Windows1252.h"

#include <optional>
#include <stdexcept>
#include <cctype>

namespace {

const FieldValue kNull;

std::string UpperCase(std::string name) {
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace

void DataSet::Open() {
    Close();
    RowSet fetched = Fetch();
    SetColumns(std::move(fetched.columns));
    rows_ = std::move(fetched.rows);
    current_ = 0;
    state_ = DataSetState::dsBrowse;
    NotifyDataChange();
}

RowSet DataSet::Select(Transaction& transaction, const std::string& sql) const {
    Statement select(transaction, sql);
    for (const auto& [name, value] : Params)
        select.SetParameter(name, value);
    return select.Run();
}

void DataSet::Close() {
    if (!Active())
        return;
    state_ = DataSetState::dsInactive;
    SetColumns({});
    rows_.clear();
    buffer_.clear();
    modified_.clear();
    current_ = 0;
    NotifyDataChange();
}

void DataSet::Last() {
    Cancel();
    current_ = rows_.empty() ? 0 : rows_.size() - 1;
    NotifyDataChange();
}

void DataSet::Next() {
    Cancel();
    if (current_ + 1 < rows_.size())
        ++current_;
    NotifyDataChange();
}

std::optional<std::size_t> DataSet::FindField(const std::string& name) const {
    if (columns_.empty())
        return std::nullopt;
    const auto found = columnIndex_.find(UpperCase(name));
    if (found == columnIndex_.end())
        return std::nullopt;
    return found->second;
}

void DataSet::SetColumns(std::vector<std::string> columns) {
    columns_ = std::move(columns);
    if (columns_.empty() || columns_ == indexedColumns_)
        return;  // a closed data set finds no field; one opened again keeps its index
    indexedColumns_ = columns_;
    columnIndex_.clear();
    for (std::size_t i = 0; i < columns_.size(); ++i)
        columnIndex_.emplace(UpperCase(columns_[i]), i);  // the first of equal names wins
}

bool DataSet::HasField(const std::string& name) const { return FindField(name).has_value(); }

std::size_t DataSet::FieldIndex(const std::string& name) const {
    if (const auto index = FindField(name))
        return *index;
    throw DatabaseError("Field '" + Windows1252ToUtf8(Windows1252Text(name)) + "' not found");
}

const FieldValue& DataSet::FieldByName(const std::string& name) const {
    if (!Active())
        return kNull;
    const std::size_t index = FieldIndex(name);
    if (Editing())
        return buffer_[index];
    return rows_.empty() ? kNull : rows_[current_][index];
}

void DataSet::SetField(const std::string& name, FieldValue value) {
    if (!Editing())
        throw std::logic_error("Dataset not in edit or insert mode");
    const std::size_t index = FieldIndex(name);
    buffer_[index] = std::move(value);
    modified_[index] = true;
    NotifyDataChange();
}

bool DataSet::IsModified(const std::string& name) const {
    if (!Editing())
        return false;
    return modified_[FieldIndex(name)];
}

void DataSet::Append() {
    if (!Active() || ReadOnly())
        throw std::logic_error("Cannot modify a closed or read-only dataset");
    Cancel();
    buffer_.assign(columns_.size(), FieldValue());
    modified_.assign(columns_.size(), false);
    state_ = DataSetState::dsInsert;
    NotifyDataChange();
}

void DataSet::Edit() {
    if (!Active() || ReadOnly())
        throw std::logic_error("Cannot modify a closed or read-only dataset");
    if (Editing())
        return;
    if (rows_.empty())
        throw std::logic_error("Cannot edit an empty dataset");
    buffer_ = rows_[current_];
    modified_.assign(columns_.size(), false);
    state_ = DataSetState::dsEdit;
    NotifyDataChange();
}

void DataSet::Post() {
    if (!Editing())
        return;
    const std::vector<FieldValue>* original = state_ == DataSetState::dsEdit ? &rows_[current_] : nullptr;
    std::vector<FieldValue> written = buffer_;
    Write(PendingRecord{state_, original, written, modified_});
    if (state_ == DataSetState::dsEdit) {
        rows_[current_] = std::move(written);
    } else {
        rows_.push_back(std::move(written));
        current_ = rows_.size() - 1;
    }
    EndEditing();
}

void DataSet::Cancel() {
    if (Editing())
        EndEditing();
}

void DataSet::EndEditing() {
    buffer_.clear();
    modified_.clear();
    state_ = DataSetState::dsBrowse;
    NotifyDataChange();
}

bool DataSet::TakeIntoCurrentRow(const RowSet& fresh) {
    if (Editing())
        throw std::logic_error("Dataset in edit or insert mode");
    if (fresh.rows.empty() || rows_.empty())
        return false;
    for (std::size_t i = 0; i < fresh.columns.size(); ++i)
        if (const auto index = FindField(fresh.columns[i]))
            rows_[current_][*index] = fresh.rows[0][i];
    NotifyDataChange();
    return true;
}

DataSet::View DataSet::CurrentView() const {
    View view{Active(), columns_, {}};
    if (!rows_.empty())
        view.rows.push_back(rows_[current_]);
    return view;
}

void DataSet::Restore(View view) {
    buffer_.clear();
    modified_.clear();
    state_ = view.active ? DataSetState::dsBrowse : DataSetState::dsInactive;
    SetColumns(std::move(view.columns));
    rows_ = std::move(view.rows);
    current_ = 0;
    NotifyDataChange();
}

int DataSet::AddDataChangeListener(std::function<void()> listener) { return changeListeners_.Add(std::move(listener)); }

void DataSet::RemoveDataChangeListener(int id) { changeListeners_.Remove(id); }

void DataSet::NotifyDataChange() { changeListeners_.Notify(); }
