#include "Query.h"

#include "Statement.h"

#include <stdexcept>

Query::Query(Transaction& transaction, std::string sql) : SQL(std::move(sql)), transaction_(transaction) {}

RowSet Query::Fetch()
{
    return Statement(transaction_, SQL).Run();
}

void Query::Write(const PendingRecord&)
{
    throw std::logic_error("Query is read only");
}
