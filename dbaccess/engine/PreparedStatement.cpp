#include "PreparedStatement.h"

#include "ConnectionHandles.h"
#include "FirebirdClient.h"
#include "NamedParameters.h"

#include <algorithm>

using namespace Firebird;

namespace {

std::shared_ptr<PreparedStatement> Prepare(ThrowStatusWrapper& status, IAttachment* attachment,
                                           ITransaction* transaction, const std::string& sql) {
    auto prepared = std::make_shared<PreparedStatement>();
    PositionalSql positional = ToPositionalParameters(sql);
    prepared->parameterNames = std::move(positional.names);
    prepared->statement.reset(attachment->prepare(&status, transaction, 0, positional.text.c_str(), SQL_DIALECT_V6,
                                                  IStatement::PREPARE_PREFETCH_METADATA));
    prepared->input.reset(prepared->statement->getInputMetadata(&status));
    prepared->output.reset(prepared->statement->getOutputMetadata(&status));
    const unsigned kind = prepared->statement->getType(&status);
    prepared->selects = kind == isc_info_sql_stmt_select || kind == isc_info_sql_stmt_select_for_upd;
    const unsigned columns = prepared->output->getCount(&status);
    for (unsigned i = 0; i < columns; ++i)
        prepared->columns.push_back(prepared->output->getAlias(&status, i));
    prepared->outputLayout = LayoutOf(status, prepared->output.get());
    return prepared;
}

// Drops the least recently used statement when the connection keeps too many.
void KeepWithinBound(Database::Handles& connection) {
    if (connection.prepared.size() <= PreparedStatement::kMaxPrepared)
        return;
    const auto oldest =
        std::min_element(connection.prepared.begin(), connection.prepared.end(),
                         [](const auto& a, const auto& b) { return a.second->lastUse < b.second->lastUse; });
    connection.prepared.erase(oldest);  // a Statement still running it keeps it alive
}

}  // namespace

MessageLayout LayoutOf(ThrowStatusWrapper& status, IMessageMetadata* metadata) {
    MessageLayout layout;
    const unsigned count = metadata->getCount(&status);
    for (unsigned i = 0; i < count; ++i)
        layout.fields.push_back({metadata->getType(&status, i) & ~1u, metadata->getScale(&status, i),
                                 metadata->getLength(&status, i), metadata->getOffset(&status, i),
                                 metadata->getNullOffset(&status, i)});
    layout.length = metadata->getMessageLength(&status);
    return layout;
}

void PreparedStatement::Free() noexcept {
    input.reset();
    output.reset();
    typedInput.reset();
    FirebirdClient::EndQuietly(statement, [](IStatement& handle, ThrowStatusWrapper& status) { handle.free(&status); });
}

std::shared_ptr<PreparedStatement> PreparedFor(Transaction& transaction, const std::string& sql) {
    Database::Handles& connection = HandlesOf(transaction.Owner());
    auto& kept = connection.prepared[sql];
    if (!kept) {
        try {
            FirebirdClient::Call(&connection.inFlight, [&](ThrowStatusWrapper& status) {
                kept = Prepare(status, connection.attachment.get(), HandlesOf(transaction).transaction.get(), sql);
            });
        } catch (...) {
            connection.prepared.erase(sql);
            throw;
        }
    }
    kept->lastUse = ++connection.uses;
    std::shared_ptr<PreparedStatement> prepared = kept;
    KeepWithinBound(connection);
    return prepared;
}
