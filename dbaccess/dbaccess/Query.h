#pragma once
// A read-only data set over one SELECT text, run in a given transaction.
#include "DataSet.h"

#include <string>

class Transaction;

class Query : public DataSet {
public:
    explicit Query(Transaction& transaction, std::string sql = {});

    // The SELECT text, used by the next Open.
    std::string SQL;

    bool ReadOnly() const override { return true; }

protected:
    RowSet Fetch() override;
    void Write(const PendingRecord& record) override;

private:
    Transaction& transaction_;
};
