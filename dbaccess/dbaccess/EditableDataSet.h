#pragma once
// A data set bound to a store table: rows come from SelectSQL; a new record
// is written by InsertSQL, a changed one by the update statement of
// ModifySQL, each with parameters named after the fields (":COLUMN", and
// ":OLD_COLUMN" for the value the row had when it was read). After a write
// the row is read again by RefreshSQL when one is given.
//
// The update writes only the columns set since Edit, so changes other
// programs made meanwhile to the other columns survive.
#include "DataSet.h"

#include <string>
#include <vector>

class Statement;
class Transaction;

// "update <table> set <column> = :<column>, ... where <where>", of which the
// columns set since Edit are written.
struct UpdateStatement {
    std::string table;
    std::vector<std::string> columns;
    std::string where;  // e.g. "COM_CODIGO = :OLD_COM_CODIGO"

    // The text for the given columns, in the order of `columns`.
    std::string TextFor(const std::vector<std::string>& changed) const;
};

class EditableDataSet : public DataSet {
public:
    explicit EditableDataSet(Transaction& transaction);

    std::string SelectSQL;
    std::string InsertSQL;
    UpdateStatement ModifySQL;
    std::string RefreshSQL;
    // When both are set, a new record whose key field is null gets the
    // generator's next value as it is written.
    std::string KeyField;
    std::string Generator;

    bool ReadOnly() const override { return false; }

    // Reads the current row again through `sql`, whose parameters are named
    // after the row's fields, and takes the columns it returns; false when it
    // returns no row (the row then stays as it was). Throws DatabaseError.
    bool RefreshCurrentRow(const std::string& sql);

protected:
    RowSet Fetch() override;
    void Write(const PendingRecord& record) override;

private:
    void Insert(const PendingRecord& record);
    void Update(const PendingRecord& record);
    void Refresh(const PendingRecord& record);
    // Sets every parameter of the statement from the record.
    void BindRecord(Statement& statement, const PendingRecord& record) const;
    FieldValue ParameterValue(const std::string& name, const PendingRecord& record) const;

    Transaction& transaction_;
};
