#pragma once
// One SQL statement prepared on a connection, with named parameters written
// ":NAME" in the text. Parameters not given run as null. Running a SELECT
// fetches every row at once.
#include "FieldValue.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class Database;
class Transaction;

struct RowSet {
    std::vector<std::string> columns;  // the result's column names (aliases)
    std::vector<std::vector<FieldValue>> rows;
};

class Statement {
public:
    // Prepares the text; starts the transaction when it is not active.
    // Throws DatabaseError.
    Statement(Transaction& transaction, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The parameter names in order of appearance (a name may repeat).
    const std::vector<std::string>& ParameterNames() const { return parameterNames_; }
    void SetParameter(const std::string& name, const FieldValue& value);
    // Runs the statement; a SELECT (or a procedure with results) gives its
    // rows, any other statement an empty row set. Throws DatabaseError.
    RowSet Run();

private:
    struct Handles;
    Transaction& transaction_;
    std::vector<std::string> parameterNames_;
    std::map<std::string, FieldValue> parameters_;
    std::unique_ptr<Handles> handles_;
};
