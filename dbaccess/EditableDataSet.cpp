#include "EditableDataSet.h"

#include "Statement.h"
#include "Transaction.h"

#include <algorithm>
#include <sstream>

namespace {

// The table an "insert into TABLE ..." text writes to.
std::string TableOfInsert(const std::string& insert) {
    std::istringstream words(insert);
    std::string verb, into, table;
    words >> verb >> into >> table;
    return table.substr(0, table.find('('));
}

}  // namespace

std::string UpdateStatement::TextFor(const std::vector<std::string>& changed) const {
    std::string text = "update " + table + "\nset\n";
    bool first = true;
    for (const std::string& column : columns) {
        if (std::find(changed.begin(), changed.end(), column) == changed.end())
            continue;
        text += (first ? "  " : ",\n  ") + column + " = :" + column;
        first = false;
    }
    return text + "\nwhere\n  " + where;
}

EditableDataSet::EditableDataSet(Transaction& transaction) : transaction_(transaction) {}

RowSet EditableDataSet::Fetch() { return Select(transaction_, SelectSQL); }

void EditableDataSet::Write(const PendingRecord& record) {
    if (record.state == DataSetState::dsInsert)
        Insert(record);
    else
        Update(record);
    Refresh(record);
}

void EditableDataSet::Insert(const PendingRecord& record) {
    if (!KeyField.empty() && !Generator.empty()) {
        FieldValue& key = record.values[FieldIndex(KeyField)];
        if (key.IsNull())
            key =
                Statement(transaction_, "SELECT GEN_ID(" + Generator + ", 1) FROM RDB$DATABASE").Run().rows.at(0).at(0);
    }
    Statement insert(transaction_, InsertSQL);
    BindRecord(insert, record);
    insert.Run();
    if (!KeyField.empty())
        transaction_.NoteInsertedRow({TableOfInsert(InsertSQL), KeyField, record.values[FieldIndex(KeyField)]});
}

void EditableDataSet::Update(const PendingRecord& record) {
    std::vector<std::string> changed;
    for (const std::string& column : ModifySQL.columns)
        if (record.modified[FieldIndex(column)])
            changed.push_back(column);
    if (changed.empty())
        return;
    Statement update(transaction_, ModifySQL.TextFor(changed));
    BindRecord(update, record);
    update.Run();
}

void EditableDataSet::Refresh(const PendingRecord& record) {
    if (RefreshSQL.empty())
        return;
    Statement refresh(transaction_, RefreshSQL);
    BindRecord(refresh, record);
    const RowSet fresh = refresh.Run();
    if (fresh.rows.empty())
        return;  // the row left the select (e.g. its join partner is gone): keep what was written
    for (std::size_t i = 0; i < fresh.columns.size(); ++i)
        if (HasField(fresh.columns[i]))
            record.values[FieldIndex(fresh.columns[i])] = fresh.rows[0][i];
}

bool EditableDataSet::RefreshCurrentRow(const std::string& sql) {
    Statement refresh(transaction_, sql);
    for (const std::string& name : refresh.ParameterNames())
        refresh.SetParameter(name, FieldByName(name));
    return TakeIntoCurrentRow(refresh.Run());
}

void EditableDataSet::BindRecord(Statement& statement, const PendingRecord& record) const {
    for (const std::string& name : statement.ParameterNames())
        statement.SetParameter(name, ParameterValue(name, record));
}

FieldValue EditableDataSet::ParameterValue(const std::string& name, const PendingRecord& record) const {
    // ":OLD_X" is X as the row was read (for a new record: as it will be).
    const std::string oldPrefix = "OLD_";
    if (name.starts_with(oldPrefix) && !HasField(name)) {
        const std::size_t index = FieldIndex(name.substr(oldPrefix.size()));
        return record.original ? (*record.original)[index] : record.values[index];
    }
    return record.values[FieldIndex(name)];
}
