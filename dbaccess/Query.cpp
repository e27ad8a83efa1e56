#include "Query.h"

#include "Statement.h"

#include <stdexcept>

Query::Query(Transaction& transaction, std::string sql) : SQL(std::move(sql)), transaction_(transaction) {}

RowSet Query::Fetch() { return Select(transaction_, SQL); }

void Query::Write(const PendingRecord&) { throw std::logic_error("Query is read only"); }
