#pragma once
// One SQL statement on a connection, with named parameters written ":NAME"
// in the text. Parameters not given run as null. Running a SELECT fetches
// every row at once. The text is prepared once per connection: a later
// Statement with the same text runs what the connection already prepared,
// so values belong in parameters, not in the text.
#include "FieldValue.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class Database;
class Transaction;
struct PreparedStatement;

struct RowSet {
    std::vector<std::string> columns;  // the result's column names (aliases)
    std::vector<std::vector<FieldValue>> rows;
};

class Statement {
public:
    // Prepares the text, unless the connection already did; starts the
    // transaction when it is not active. Throws DatabaseError.
    Statement(Transaction& transaction, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The parameter names in order of appearance (a name may repeat).
    const std::vector<std::string>& ParameterNames() const;
    void SetParameter(const std::string& name, const FieldValue& value);
    // Runs the statement; a SELECT (or a procedure with results) gives its
    // rows, any other statement an empty row set. Throws DatabaseError.
    RowSet Run();

private:
    Transaction& transaction_;
    std::shared_ptr<PreparedStatement> prepared_;
    std::map<std::string, FieldValue> parameters_;
};
