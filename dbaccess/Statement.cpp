#include "Statement.h"

#include "FirebirdClient.h"
#include "NamedParameters.h"

#include <algorithm>
#include <cstring>

using namespace Firebird;

namespace {

constexpr unsigned kWin1252 = 53;  // the engine's id of the WIN1252 character set
constexpr unsigned kSegmentSize = 32768;

template <class T>
T ReadAt(const unsigned char* buffer, unsigned offset)
{
    T value;
    std::memcpy(&value, buffer + offset, sizeof value);
    return value;
}

template <class T>
void WriteAt(unsigned char* buffer, unsigned offset, T value)
{
    std::memcpy(buffer + offset, &value, sizeof value);
}

SqlDate DecodeDate(ISC_DATE date)
{
    unsigned year = 0, month = 0, day = 0;
    FirebirdClient::Util()->decodeDate(date, &year, &month, &day);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

SqlTime DecodeTime(ISC_TIME time)
{
    unsigned hours = 0, minutes = 0, seconds = 0, fractions = 0;
    FirebirdClient::Util()->decodeTime(time, &hours, &minutes, &seconds, &fractions);
    return {static_cast<int>(hours), static_cast<int>(minutes), static_cast<int>(seconds), static_cast<int>(fractions)};
}

ISC_DATE EncodeDate(const SqlDate& date)
{
    return FirebirdClient::Util()->encodeDate(date.year, date.month, date.day);
}

ISC_TIME EncodeTime(const SqlTime& time)
{
    return FirebirdClient::Util()->encodeTime(time.hour, time.minute, time.second, time.fraction);
}

FieldValue ScaledValue(std::int64_t value, int scale)
{
    if (scale < 0)
        return FieldValue(FieldValue::Decimal{value, -scale});
    return FieldValue(value);
}

std::string ReadBlob(ThrowStatusWrapper& status, IAttachment* attachment, ITransaction* transaction, ISC_QUAD id)
{
    IBlob* blob = attachment->openBlob(&status, transaction, &id, 0, nullptr);
    std::string contents;
    try {
        char segment[kSegmentSize];
        unsigned length = 0;
        for (;;) {
            const int result = blob->getSegment(&status, sizeof segment, segment, &length);
            if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT)
                break;
            contents.append(segment, length);
        }
        blob->close(&status);
    } catch (...) {
        blob->release();
        throw;
    }
    return contents;
}

ISC_QUAD WriteBlob(ThrowStatusWrapper& status, IAttachment* attachment, ITransaction* transaction,
                   const std::string& contents)
{
    ISC_QUAD id{};
    IBlob* blob = attachment->createBlob(&status, transaction, &id, 0, nullptr);
    try {
        for (std::size_t done = 0; done < contents.size(); done += kSegmentSize) {
            const std::size_t length = std::min<std::size_t>(kSegmentSize, contents.size() - done);
            blob->putSegment(&status, static_cast<unsigned>(length), contents.data() + done);
        }
        blob->close(&status);
    } catch (...) {
        blob->release();
        throw;
    }
    return id;
}

// Sets the type of input parameter `index` for the value it will carry;
// a null keeps the type the engine described.
void DescribeParameter(ThrowStatusWrapper& status, IMetadataBuilder* builder, unsigned index,
                       unsigned describedType, const FieldValue& value)
{
    const auto& raw = value.Raw();
    auto setNumber = [&](unsigned type, unsigned length, int scale) {
        builder->setType(&status, index, type | 1);
        builder->setSubType(&status, index, 0);
        builder->setLength(&status, index, length);
        builder->setScale(&status, index, scale);
    };
    if (std::holds_alternative<std::int64_t>(raw)) {
        setNumber(SQL_INT64, 8, 0);
    } else if (auto decimal = std::get_if<FieldValue::Decimal>(&raw)) {
        setNumber(SQL_INT64, 8, -decimal->places);
    } else if (std::holds_alternative<double>(raw)) {
        setNumber(SQL_DOUBLE, 8, 0);
    } else if (auto text = std::get_if<std::string>(&raw)) {
        if (describedType == SQL_BLOB)
            return;
        builder->setType(&status, index, SQL_VARYING | 1);
        builder->setSubType(&status, index, 0);
        builder->setLength(&status, index, static_cast<unsigned>(std::max<std::size_t>(text->size(), 1)));
        builder->setCharSet(&status, index, kWin1252);
        builder->setScale(&status, index, 0);
    } else if (std::holds_alternative<SqlDate>(raw)) {
        setNumber(SQL_TYPE_DATE, 4, 0);
    } else if (std::holds_alternative<SqlTime>(raw)) {
        setNumber(SQL_TYPE_TIME, 4, 0);
    } else if (std::holds_alternative<SqlTimestamp>(raw)) {
        setNumber(SQL_TIMESTAMP, 8, 0);
    }
}

}  // namespace

struct Statement::Handles {
    IStatement* statement = nullptr;
    IMessageMetadata* input = nullptr;
    IMessageMetadata* output = nullptr;
};

Statement::Statement(Transaction& transaction, const std::string& sql)
    : transaction_(transaction), handles_(std::make_unique<Handles>())
{
    PositionalSql positional = ToPositionalParameters(sql);
    parameterNames_ = std::move(positional.names);
    transaction_.EnsureStarted();
    IAttachment* attachment = transaction_.Owner().Native().attachment;
    ITransaction* native = transaction_.Native().transaction;
    FirebirdClient::Call([&](ThrowStatusWrapper& status) {
        handles_->statement = attachment->prepare(&status, native, 0, positional.text.c_str(), SQL_DIALECT_V6,
                                                  IStatement::PREPARE_PREFETCH_METADATA);
        handles_->input = handles_->statement->getInputMetadata(&status);
        handles_->output = handles_->statement->getOutputMetadata(&status);
    });
}

Statement::~Statement()
{
    if (handles_->input)
        handles_->input->release();
    if (handles_->output)
        handles_->output->release();
    if (handles_->statement) {
        try {
            FirebirdClient::Call([&](ThrowStatusWrapper& status) { handles_->statement->free(&status); });
        } catch (...) {
            handles_->statement->release();
        }
    }
}

void Statement::SetParameter(const std::string& name, const FieldValue& value)
{
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    parameters_[upper] = value;
}

RowSet Statement::Run()
{
    transaction_.EnsureStarted();
    IAttachment* attachment = transaction_.Owner().Native().attachment;
    ITransaction* transaction = transaction_.Native().transaction;
    RowSet result;
    FirebirdClient::Call([&](ThrowStatusWrapper& status) {
        // Input message: each parameter typed after the value it carries.
        std::vector<FieldValue> values;
        for (const std::string& name : parameterNames_) {
            auto found = parameters_.find(name);
            values.push_back(found == parameters_.end() ? FieldValue() : found->second);
        }
        IMessageMetadata* input = handles_->input;
        input->addRef();
        std::vector<unsigned char> inputBuffer;
        try {
            if (!values.empty()) {
                IMetadataBuilder* builder = input->getBuilder(&status);
                try {
                    for (unsigned i = 0; i < values.size(); ++i)
                        DescribeParameter(status, builder, i, input->getType(&status, i) & ~1u, values[i]);
                    IMessageMetadata* typed = builder->getMetadata(&status);
                    input->release();
                    input = typed;
                } catch (...) {
                    builder->release();
                    throw;
                }
                builder->release();
            }
            inputBuffer.assign(input->getMessageLength(&status), 0);
            for (unsigned i = 0; i < values.size(); ++i) {
                unsigned char* buffer = inputBuffer.data();
                const unsigned offset = input->getOffset(&status, i);
                const auto& raw = values[i].Raw();
                WriteAt<short>(buffer, input->getNullOffset(&status, i), values[i].IsNull() ? -1 : 0);
                if (auto integer = std::get_if<std::int64_t>(&raw)) {
                    WriteAt(buffer, offset, *integer);
                } else if (auto decimal = std::get_if<FieldValue::Decimal>(&raw)) {
                    WriteAt(buffer, offset, decimal->scaled);
                } else if (auto real = std::get_if<double>(&raw)) {
                    WriteAt(buffer, offset, *real);
                } else if (auto text = std::get_if<std::string>(&raw)) {
                    if ((input->getType(&status, i) & ~1u) == SQL_BLOB) {
                        WriteAt(buffer, offset, WriteBlob(status, attachment, transaction, *text));
                    } else {
                        WriteAt<unsigned short>(buffer, offset, static_cast<unsigned short>(text->size()));
                        std::memcpy(buffer + offset + 2, text->data(), text->size());
                    }
                } else if (auto date = std::get_if<SqlDate>(&raw)) {
                    WriteAt(buffer, offset, EncodeDate(*date));
                } else if (auto time = std::get_if<SqlTime>(&raw)) {
                    WriteAt(buffer, offset, EncodeTime(*time));
                } else if (auto stamp = std::get_if<SqlTimestamp>(&raw)) {
                    WriteAt(buffer, offset, ISC_TIMESTAMP{EncodeDate(stamp->date), EncodeTime(stamp->time)});
                }
            }

            // Output: every row, each column converted to a FieldValue.
            IMessageMetadata* output = handles_->output;
            const unsigned columns = output->getCount(&status);
            for (unsigned i = 0; i < columns; ++i)
                result.columns.push_back(output->getAlias(&status, i));
            std::vector<unsigned char> row(output->getMessageLength(&status));
            auto convertRow = [&] {
                std::vector<FieldValue> values;
                const unsigned char* buffer = row.data();
                for (unsigned i = 0; i < columns; ++i) {
                    if (ReadAt<short>(buffer, output->getNullOffset(&status, i)) != 0) {
                        values.emplace_back();
                        continue;
                    }
                    const unsigned offset = output->getOffset(&status, i);
                    const int scale = output->getScale(&status, i);
                    switch (output->getType(&status, i) & ~1u) {
                    case SQL_TEXT:
                        values.emplace_back(std::string(reinterpret_cast<const char*>(buffer + offset),
                                                        output->getLength(&status, i)));
                        break;
                    case SQL_VARYING:
                        values.emplace_back(std::string(reinterpret_cast<const char*>(buffer + offset + 2),
                                                        ReadAt<unsigned short>(buffer, offset)));
                        break;
                    case SQL_SHORT: values.push_back(ScaledValue(ReadAt<short>(buffer, offset), scale)); break;
                    case SQL_LONG: values.push_back(ScaledValue(ReadAt<int>(buffer, offset), scale)); break;
                    case SQL_INT64: values.push_back(ScaledValue(ReadAt<std::int64_t>(buffer, offset), scale)); break;
                    case SQL_FLOAT: values.emplace_back(static_cast<double>(ReadAt<float>(buffer, offset))); break;
                    case SQL_DOUBLE:
                    case SQL_D_FLOAT: values.emplace_back(ReadAt<double>(buffer, offset)); break;
                    case SQL_BOOLEAN: values.emplace_back(std::int64_t{buffer[offset] != 0}); break;
                    case SQL_TYPE_DATE: values.emplace_back(DecodeDate(ReadAt<ISC_DATE>(buffer, offset))); break;
                    case SQL_TYPE_TIME: values.emplace_back(DecodeTime(ReadAt<ISC_TIME>(buffer, offset))); break;
                    case SQL_TIMESTAMP: {
                        const auto stamp = ReadAt<ISC_TIMESTAMP>(buffer, offset);
                        values.emplace_back(SqlTimestamp{DecodeDate(stamp.timestamp_date), DecodeTime(stamp.timestamp_time)});
                        break;
                    }
                    case SQL_BLOB:
                        values.emplace_back(ReadBlob(status, attachment, transaction, ReadAt<ISC_QUAD>(buffer, offset)));
                        break;
                    default: values.emplace_back(); break;
                    }
                }
                result.rows.push_back(std::move(values));
            };

            const unsigned kind = handles_->statement->getType(&status);
            if (kind == isc_info_sql_stmt_select || kind == isc_info_sql_stmt_select_for_upd) {
                IResultSet* cursor = handles_->statement->openCursor(&status, transaction, input, inputBuffer.data(),
                                                                     output, 0);
                try {
                    while (cursor->fetchNext(&status, row.data()) == IStatus::RESULT_OK)
                        convertRow();
                    cursor->close(&status);
                } catch (...) {
                    cursor->release();
                    throw;
                }
            } else {
                handles_->statement->execute(&status, transaction, input, inputBuffer.data(),
                                             columns ? output : nullptr, columns ? row.data() : nullptr);
                if (columns)
                    convertRow();
            }
        } catch (...) {
            input->release();
            throw;
        }
        input->release();
    });
    return result;
}
