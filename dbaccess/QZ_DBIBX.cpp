#include "QZ_DBIBX.h"

#include "EditableDataSet.h"
#include "Query.h"
#include "QuotedText.h"
#include "Statement.h"
#include "Transaction.h"
#include "Trim.h"
#include "WorkUnit.h"

#include <stdexcept>

thread_local Database* SharedDatabase = nullptr;
thread_local Transaction* SharedTransaction = nullptr;

namespace {

Transaction& Shared() {
    if (!SharedTransaction)
        throw std::logic_error("no shared transaction registered");
    return *SharedTransaction;
}

// The statements of a script, split at "^" outside quotes; blank ones are skipped.
void RunStatements(const std::string& text) {
    for (const std::string& statement : SplitOutsideQuotes(text, '^'))
        if (!quorvel::IsBlank(statement))
            Statement(Shared(), statement).Run();
}

}  // namespace

std::unique_ptr<Query> CreateQuery(const std::string& sql, bool open) {
    auto query = std::make_unique<Query>(Shared(), sql);
    if (open)
        query->Open();
    return query;
}

long double ReadNumber(const std::string& fieldName, const std::string& sql, const SqlParameters& parameters) {
    return ReadValue(fieldName, sql, parameters).AsNumber();
}

FieldValue ReadValue(const std::string& fieldName, const std::string& sql, const SqlParameters& parameters) {
    const std::unique_ptr<Query> query = CreateQuery(sql, false);
    query->Params = parameters;
    query->Open();
    return query->FieldByName(fieldName);
}

void PostDataSet(DataSet& dataSet) {
    if (auto* editable = dynamic_cast<EditableDataSet*>(&dataSet))
        PostAndCommit(*editable);
}

void PostAndCommit(EditableDataSet& dataSet) {
    Transaction& transaction = Shared();
    try {
        WorkUnit work(transaction);
        transaction.EnsureStarted();
        dataSet.Post();
        work.Commit();
    } catch (...) {
        dataSet.Cancel();
        throw;
    }
}

void RunScript(const std::string& text, bool plain) {
    if (plain) {
        RunStatements(text);
        return;
    }
    Transaction& transaction = Shared();
    transaction.EnsureStarted();
    WorkUnit work(transaction);
    RunStatements(text);
    work.Commit();
}

void ExecuteSQL(const std::string& sql, const SqlParameters& parameters) {
    Transaction& transaction = Shared();
    transaction.EnsureStarted();
    WorkUnit work(transaction);
    Statement statement(transaction, sql);
    for (const auto& [name, value] : parameters)
        statement.SetParameter(name, value);
    statement.Run();
    work.Commit();
}
