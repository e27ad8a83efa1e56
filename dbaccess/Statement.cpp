#include "Statement.h"

#include "ConnectionHandles.h"
#include "FirebirdClient.h"
#include "PreparedStatement.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>
#include <vector>

using namespace Firebird;

namespace {

constexpr unsigned kWin1252 = 53;  // the engine's id of the WIN1252 character set
constexpr unsigned kSegmentSize = 32768;

template <class T>
T ReadAt(const unsigned char* buffer, unsigned offset) {
    T value;
    std::memcpy(&value, buffer + offset, sizeof value);
    return value;
}

template <class T>
void WriteAt(unsigned char* buffer, unsigned offset, T value) {
    std::memcpy(buffer + offset, &value, sizeof value);
}

SqlDate DecodeDate(ISC_DATE date) {
    unsigned year = 0, month = 0, day = 0;
    FirebirdClient::Util()->decodeDate(date, &year, &month, &day);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

SqlTime DecodeTime(ISC_TIME time) {
    unsigned hours = 0, minutes = 0, seconds = 0, fractions = 0;
    FirebirdClient::Util()->decodeTime(time, &hours, &minutes, &seconds, &fractions);
    return {static_cast<int>(hours), static_cast<int>(minutes), static_cast<int>(seconds), static_cast<int>(fractions)};
}

ISC_DATE EncodeDate(const SqlDate& date) { return FirebirdClient::Util()->encodeDate(date.year, date.month, date.day); }

ISC_TIME EncodeTime(const SqlTime& time) {
    return FirebirdClient::Util()->encodeTime(time.hour, time.minute, time.second, time.fraction);
}

FieldValue ScaledValue(std::int64_t value, int scale) {
    if (scale < 0)
        return FieldValue(FieldValue::Decimal{value, -scale});
    return FieldValue(value);
}

std::string ReadBlob(ThrowStatusWrapper& status, IAttachment* attachment, ITransaction* transaction, ISC_QUAD id) {
    EngineHandle<IBlob> blob(attachment->openBlob(&status, transaction, &id, 0, nullptr));
    std::string contents;
    char segment[kSegmentSize];
    unsigned length = 0;
    for (;;) {
        const int result = blob->getSegment(&status, sizeof segment, segment, &length);
        if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT)
            break;
        contents.append(segment, length);
    }
    blob->close(&status);
    Freed(blob);
    return contents;
}

ISC_QUAD WriteBlob(ThrowStatusWrapper& status, IAttachment* attachment, ITransaction* transaction,
                   const std::string& contents) {
    ISC_QUAD id{};
    EngineHandle<IBlob> blob(attachment->createBlob(&status, transaction, &id, 0, nullptr));
    for (std::size_t done = 0; done < contents.size(); done += kSegmentSize) {
        const std::size_t length = std::min<std::size_t>(kSegmentSize, contents.size() - done);
        blob->putSegment(&status, static_cast<unsigned>(length), contents.data() + done);
    }
    blob->close(&status);
    Freed(blob);
    return id;
}

// The type a parameter gets for the value it carries (the engine converts it
// to the column's); a null, and a text for a blob, keep the described type
// (shown by type 0). A text is typed at least as long as the described
// parameter, so texts of different lengths share one typed message.
ParameterShape ShapeOf(ThrowStatusWrapper& status, IMessageMetadata* described, unsigned index,
                       const FieldValue& value) {
    const auto& raw = value.Raw();
    if (std::holds_alternative<std::int64_t>(raw))
        return {SQL_INT64, 8, 0};
    if (auto decimal = std::get_if<FieldValue::Decimal>(&raw))
        return {SQL_INT64, 8, -decimal->places};
    if (std::holds_alternative<double>(raw))
        return {SQL_DOUBLE, 8, 0};
    if (auto text = std::get_if<Windows1252Text>(&raw)) {
        if ((described->getType(&status, index) & ~1u) == SQL_BLOB)
            return {};
        const std::size_t length = std::max<std::size_t>({text->size(), described->getLength(&status, index), 1});
        return {SQL_VARYING, static_cast<unsigned>(length), 0};
    }
    if (std::holds_alternative<SqlDate>(raw))
        return {SQL_TYPE_DATE, 4, 0};
    if (std::holds_alternative<SqlTime>(raw))
        return {SQL_TYPE_TIME, 4, 0};
    if (std::holds_alternative<SqlTimestamp>(raw))
        return {SQL_TIMESTAMP, 8, 0};
    return {};
}

EngineHandle<IMessageMetadata> BuildTyped(ThrowStatusWrapper& status, IMessageMetadata* described,
                                          const std::vector<ParameterShape>& shapes) {
    const EngineHandle<IMetadataBuilder> builder(described->getBuilder(&status));
    for (unsigned i = 0; i < shapes.size(); ++i) {
        const ParameterShape& shape = shapes[i];
        if (shape.type == 0)
            continue;
        builder->setType(&status, i, shape.type | 1);
        builder->setSubType(&status, i, 0);
        builder->setLength(&status, i, shape.length);
        builder->setScale(&status, i, shape.scale);
        if (shape.type == SQL_VARYING)
            builder->setCharSet(&status, i, kWin1252);
    }
    return EngineHandle<IMessageMetadata>(builder->getMetadata(&status));
}

// The input message: metadata typed after the values, and the buffer.
struct InputMessage {
    EngineHandle<IMessageMetadata> metadata;
    std::vector<unsigned char> buffer;
};

// Types the message after the values, using again the typed metadata of the
// statement's last run when the values have the same types.
void TypeParameters(ThrowStatusWrapper& status, InputMessage& message, PreparedStatement& prepared,
                    const std::vector<FieldValue>& values) {
    std::vector<ParameterShape> shapes;
    for (unsigned i = 0; i < values.size(); ++i)
        shapes.push_back(ShapeOf(status, prepared.input.get(), i, values[i]));
    if (!prepared.typedInput || shapes != prepared.typedShapes) {
        prepared.typedInput = BuildTyped(status, prepared.input.get(), shapes);
        prepared.typedShapes = std::move(shapes);
        prepared.typedLayout = LayoutOf(status, prepared.typedInput.get());
    }
    message.metadata = NewReference(prepared.typedInput.get());
}

void FillParameters(ThrowStatusWrapper& status, InputMessage& message, const MessageLayout& layout,
                    IAttachment* attachment, ITransaction* transaction, const std::vector<FieldValue>& values) {
    message.buffer.assign(layout.length, 0);
    unsigned char* buffer = message.buffer.data();
    for (unsigned i = 0; i < values.size(); ++i) {
        const MessageField& field = layout.fields[i];
        const unsigned offset = field.offset;
        const auto& raw = values[i].Raw();
        WriteAt<short>(buffer, field.nullOffset, values[i].IsNull() ? -1 : 0);
        if (auto integer = std::get_if<std::int64_t>(&raw)) {
            WriteAt(buffer, offset, *integer);
        } else if (auto decimal = std::get_if<FieldValue::Decimal>(&raw)) {
            WriteAt(buffer, offset, decimal->scaled);
        } else if (auto real = std::get_if<double>(&raw)) {
            WriteAt(buffer, offset, *real);
        } else if (auto text = std::get_if<Windows1252Text>(&raw)) {
            const std::string& bytes = text->Bytes();
            if (field.type == SQL_BLOB) {
                WriteAt(buffer, offset, WriteBlob(status, attachment, transaction, bytes));
            } else {
                WriteAt<unsigned short>(buffer, offset, static_cast<unsigned short>(bytes.size()));
                std::memcpy(buffer + offset + 2, bytes.data(), bytes.size());
            }
        } else if (auto date = std::get_if<SqlDate>(&raw)) {
            WriteAt(buffer, offset, EncodeDate(*date));
        } else if (auto time = std::get_if<SqlTime>(&raw)) {
            WriteAt(buffer, offset, EncodeTime(*time));
        } else if (auto stamp = std::get_if<SqlTimestamp>(&raw)) {
            WriteAt(buffer, offset, ISC_TIMESTAMP{EncodeDate(stamp->date), EncodeTime(stamp->time)});
        }
    }
}

FieldValue ReadColumn(ThrowStatusWrapper& status, const MessageField& field, const unsigned char* buffer,
                      IAttachment* attachment, ITransaction* transaction) {
    if (ReadAt<short>(buffer, field.nullOffset) != 0)
        return {};
    const unsigned offset = field.offset;
    const int scale = field.scale;
    const char* bytes = reinterpret_cast<const char*>(buffer + offset);
    switch (field.type) {
    case SQL_TEXT: return Windows1252Text(std::string(bytes, field.length));
    case SQL_VARYING: return Windows1252Text(std::string(bytes + 2, ReadAt<unsigned short>(buffer, offset)));
    case SQL_SHORT: return ScaledValue(ReadAt<short>(buffer, offset), scale);
    case SQL_LONG: return ScaledValue(ReadAt<int>(buffer, offset), scale);
    case SQL_INT64: return ScaledValue(ReadAt<std::int64_t>(buffer, offset), scale);
    case SQL_FLOAT: return static_cast<double>(ReadAt<float>(buffer, offset));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return ReadAt<double>(buffer, offset);
    case SQL_BOOLEAN: return std::int64_t{buffer[offset] != 0};
    case SQL_TYPE_DATE: return DecodeDate(ReadAt<ISC_DATE>(buffer, offset));
    case SQL_TYPE_TIME: return DecodeTime(ReadAt<ISC_TIME>(buffer, offset));
    case SQL_TIMESTAMP: {
        const auto stamp = ReadAt<ISC_TIMESTAMP>(buffer, offset);
        return SqlTimestamp{DecodeDate(stamp.timestamp_date), DecodeTime(stamp.timestamp_time)};
    }
    case SQL_BLOB: return Windows1252Text(ReadBlob(status, attachment, transaction, ReadAt<ISC_QUAD>(buffer, offset)));
    default: return {};
    }
}

}  // namespace

Statement::Statement(Transaction& transaction, const std::string& sql) : transaction_(transaction) {
    transaction_.EnsureStarted();
    prepared_ = PreparedFor(transaction_, sql);
}

Statement::~Statement() = default;

const std::vector<std::string>& Statement::ParameterNames() const { return prepared_->parameterNames; }

void Statement::SetParameter(const std::string& name, const FieldValue& value) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    parameters_[upper] = value;
}

RowSet Statement::Run() {
    transaction_.Announce(Transaction::Step::Statement);
    transaction_.EnsureStarted();
    IAttachment* attachment = HandlesOf(transaction_.Owner()).attachment.get();
    ITransaction* transaction = HandlesOf(transaction_).transaction.get();
    if (!prepared_->statement)
        throw std::logic_error("statement of a closed connection");
    std::vector<FieldValue> values;
    for (const std::string& name : prepared_->parameterNames) {
        auto found = parameters_.find(name);
        values.push_back(found == parameters_.end() ? FieldValue() : found->second);
    }
    RowSet result;
    const auto run = [&](ThrowStatusWrapper& status) {
        InputMessage input;
        if (values.empty()) {
            input.metadata = NewReference(prepared_->input.get());
        } else {
            TypeParameters(status, input, *prepared_, values);
            FillParameters(status, input, prepared_->typedLayout, attachment, transaction, values);
        }

        IMessageMetadata* output = prepared_->output.get();
        const MessageLayout& layout = prepared_->outputLayout;
        result.columns = prepared_->columns;
        const auto columns = static_cast<unsigned>(result.columns.size());
        std::vector<unsigned char> row(layout.length);
        auto keepRow = [&] {
            std::vector<FieldValue> fields;
            fields.reserve(columns);
            for (const MessageField& field : layout.fields)
                fields.push_back(ReadColumn(status, field, row.data(), attachment, transaction));
            result.rows.push_back(std::move(fields));
        };

        if (prepared_->selects) {
            EngineHandle<IResultSet> cursor(prepared_->statement->openCursor(&status, transaction, input.metadata.get(),
                                                                             input.buffer.data(), output, 0));
            while (cursor->fetchNext(&status, row.data()) == IStatus::RESULT_OK)
                keepRow();
            cursor->close(&status);
            Freed(cursor);
        } else {
            prepared_->statement->execute(&status, transaction, input.metadata.get(), input.buffer.data(),
                                          columns ? output : nullptr, columns ? row.data() : nullptr);
            if (columns)
                keepRow();
        }
    };
    FirebirdClient::Call(&HandlesOf(transaction_.Owner()).inFlight, run);
    return result;
}
