#include "BareClientFloor.h"

#include "NamedParameters.h"
#include "StoreStatements.h"

#include <firebird/Interface.h>

#include <cstring>
#include <variant>
#include <stdexcept>

using namespace Firebird;

namespace {

IMaster* Master() { return fb_get_master_interface(); }

template <class T>
void Put(unsigned char* buffer, unsigned offset, T value) {
    std::memcpy(buffer + offset, &value, sizeof value);
}

template <class T>
T Get(const unsigned char* buffer, unsigned offset) {
    T value;
    std::memcpy(&value, buffer + offset, sizeof value);
    return value;
}

// A whole number or an exact decimal as a scaled integer with `places`
// decimal places (rounded half up when it had more).
std::int64_t Scaled(const FieldValue& value, int places) {
    const auto* decimal = std::get_if<FieldValue::Decimal>(&value.Raw());
    __int128 number = decimal ? decimal->scaled : value.AsInteger();
    int have = decimal ? decimal->places : 0;
    for (; have < places; ++have)
        number *= 10;
    for (; have > places; --have)
        number = (number + (number < 0 ? -5 : 5)) / 10;
    return static_cast<std::int64_t>(number);
}

// A value written in the parameter's own described type, as a program that
// knows its statements would.
void Write(ThrowStatusWrapper& status, IMessageMetadata* metadata, unsigned index, unsigned char* buffer,
           const FieldValue& value) {
    Put<short>(buffer, metadata->getNullOffset(&status, index), value.IsNull() ? -1 : 0);
    if (value.IsNull())
        return;
    const unsigned offset = metadata->getOffset(&status, index);
    const int scale = metadata->getScale(&status, index);
    switch (metadata->getType(&status, index) & ~1u) {
    case SQL_SHORT: Put<short>(buffer, offset, static_cast<short>(value.AsInteger())); break;
    case SQL_LONG: Put<int>(buffer, offset, static_cast<int>(Scaled(value, -scale))); break;
    case SQL_INT64: Put<std::int64_t>(buffer, offset, Scaled(value, -scale)); break;
    case SQL_DOUBLE: Put<double>(buffer, offset, static_cast<double>(value.AsNumber())); break;
    case SQL_VARYING: {
        const std::string text = value.AsText().Bytes();
        Put<unsigned short>(buffer, offset, static_cast<unsigned short>(text.size()));
        std::memcpy(buffer + offset + 2, text.data(), text.size());
        break;
    }
    case SQL_TYPE_DATE: {
        const SqlDate date = value.AsDate();
        Put(buffer, offset, Master()->getUtilInterface()->encodeDate(date.year, date.month, date.day));
        break;
    }
    case SQL_TYPE_TIME: {
        const SqlTime time = value.AsTime();
        Put(buffer, offset, Master()->getUtilInterface()->encodeTime(time.hour, time.minute, time.second, 0));
        break;
    }
    default: throw std::logic_error("parameter type not used by the benchmark");
    }
}

// The columns the commands go on with; the others stay in the buffer unread.
FieldValue Read(ThrowStatusWrapper& status, IMessageMetadata* metadata, unsigned index, const unsigned char* buffer) {
    if (Get<short>(buffer, metadata->getNullOffset(&status, index)))
        return {};
    const unsigned offset = metadata->getOffset(&status, index);
    const int scale = metadata->getScale(&status, index);
    switch (metadata->getType(&status, index) & ~1u) {
    case SQL_LONG: return FieldValue::Decimal{Get<int>(buffer, offset), -scale};
    case SQL_INT64: return FieldValue::Decimal{Get<std::int64_t>(buffer, offset), -scale};
    case SQL_VARYING:
        return Windows1252Text(
            std::string(reinterpret_cast<const char*>(buffer + offset + 2), Get<unsigned short>(buffer, offset)));
    case SQL_TYPE_DATE: {
        unsigned year, month, day;
        Master()->getUtilInterface()->decodeDate(Get<ISC_DATE>(buffer, offset), &year, &month, &day);
        return SqlDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
    }
    case SQL_TYPE_TIME: {
        unsigned hours, minutes, seconds, fractions;
        Master()->getUtilInterface()->decodeTime(Get<ISC_TIME>(buffer, offset), &hours, &minutes, &seconds, &fractions);
        return SqlTime{static_cast<int>(hours), static_cast<int>(minutes), static_cast<int>(seconds), 0};
    }
    default: return {};
    }
}

}  // namespace

struct BareClientFloor::Prepared {
    IStatement* statement = nullptr;
    IMessageMetadata* input = nullptr;
    IMessageMetadata* output = nullptr;
    std::vector<std::string> names;  // parameters in order
    std::vector<unsigned> wanted;    // output columns read, in the order asked for
    std::vector<unsigned char> in, out;
    bool selects = false;
};

BareClientFloor::BareClientFloor(const std::string& connectionString, const std::string& user,
                                 const std::string& password) {
    ThrowStatusWrapper status(Master()->getStatus());
    IXpbBuilder* dpb = Master()->getUtilInterface()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&status, isc_dpb_user_name, user.c_str());
    dpb->insertString(&status, isc_dpb_password, password.c_str());
    dpb->insertString(&status, isc_dpb_lc_ctype, "WIN1252");
    IProvider* provider = Master()->getDispatcher();
    attachment_ = provider->attachDatabase(&status, connectionString.c_str(), dpb->getBufferLength(&status),
                                           dpb->getBuffer(&status));
    provider->release();
    dpb->dispose();
    static const unsigned char parameters[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version,
                                               isc_tpb_nowait};
    transaction_ = attachment_->startTransaction(&status, sizeof parameters, parameters);
    status.dispose();
}

BareClientFloor::~BareClientFloor() {
    ThrowStatusWrapper status(Master()->getStatus());
    for (auto& [text, prepared] : prepared_) {
        prepared->input->release();
        prepared->output->release();
        prepared->statement->free(&status);
    }
    transaction_->commit(&status);
    attachment_->detach(&status);
    status.dispose();
}

std::vector<BareClientFloor::Row> BareClientFloor::Run(const std::string& sql, const SqlParameters& values,
                                                       const std::vector<std::string>& columns) {
    try {
        return RunRaw(sql, values, columns);
    } catch (const FbException& error) {
        char message[1024];
        Master()->getUtilInterface()->formatStatus(message, sizeof message, error.getStatus());
        throw std::runtime_error(std::string(message) + "\nin: " + sql);
    }
}

std::vector<BareClientFloor::Row> BareClientFloor::RunRaw(const std::string& sql, const SqlParameters& values,
                                                          const std::vector<std::string>& columns) {
    ThrowStatusWrapper status(Master()->getStatus());
    std::unique_ptr<Prepared>& prepared = prepared_[sql];
    if (!prepared) {
        prepared = std::make_unique<Prepared>();
        const PositionalSql positional = ToPositionalParameters(sql);
        prepared->names = positional.names;
        prepared->statement = attachment_->prepare(&status, transaction_, 0, positional.text.c_str(), SQL_DIALECT_V6,
                                                   IStatement::PREPARE_PREFETCH_METADATA);
        prepared->input = prepared->statement->getInputMetadata(&status);
        prepared->output = prepared->statement->getOutputMetadata(&status);
        prepared->in.resize(prepared->input->getMessageLength(&status));
        prepared->out.resize(prepared->output->getMessageLength(&status));
        const unsigned kind = prepared->statement->getType(&status);
        prepared->selects = kind == isc_info_sql_stmt_select || kind == isc_info_sql_stmt_select_for_upd;
        for (const std::string& column : columns)
            for (unsigned i = 0; i < prepared->output->getCount(&status); ++i)
                if (column == prepared->output->getAlias(&status, i))
                    prepared->wanted.push_back(i);
        if (prepared->wanted.size() != columns.size())
            throw std::logic_error("a column asked for is not in the result of: " + sql);
    }
    for (unsigned i = 0; i < prepared->names.size(); ++i) {
        const auto found = values.find(prepared->names[i]);
        Write(status, prepared->input, i, prepared->in.data(), found == values.end() ? FieldValue() : found->second);
    }
    std::vector<Row> rows;
    const auto keep = [&] {
        Row row;
        for (unsigned i : prepared->wanted)
            row.push_back(Read(status, prepared->output, i, prepared->out.data()));
        rows.push_back(std::move(row));
    };
    if (prepared->selects) {
        IResultSet* cursor = prepared->statement->openCursor(&status, transaction_, prepared->input,
                                                             prepared->in.data(), prepared->output, 0);
        while (cursor->fetchNext(&status, prepared->out.data()) == IStatus::RESULT_OK)
            keep();
        cursor->close(&status);
    } else {
        prepared->statement->execute(&status, transaction_, prepared->input, prepared->in.data(), nullptr, nullptr);
    }
    status.dispose();
    return rows;
}

void BareClientFloor::Commit() {
    ThrowStatusWrapper status(Master()->getStatus());
    transaction_->commitRetaining(&status);
    status.dispose();
}

BareClientFloor::Row BareClientFloor::First(const std::string& sql, const SqlParameters& values,
                                            const std::vector<std::string>& columns) {
    std::vector<Row> rows = Run(sql, values, columns);
    return rows.empty() ? Row(columns.size()) : std::move(rows.front());
}

namespace {

using namespace StoreStatements;

const std::string kItemKey = "SELECT GEN_ID(GEN_COMANDASITENS_ID, 1) FROM RDB$DATABASE";

// The update texts the data set makes for the columns a command changes
// (made on first use: the statement tables of another file are ready then).
const std::string& TotalsUpdate() {
    static const std::string text = kComandaUpdate.TextFor({"COM_QTDE", "COM_TOTAL"});
    return text;
}

const std::string& QuantityUpdate() {
    static const std::string text = kItemUpdate.TextFor({"CIN_QTDE"});
    return text;
}
const std::vector<std::string> kTabColumns = {"COM_QTDE", "COM_TOTAL", "PDV_CODIGO", "COM_CLIENTE", "COM_TABELA"};

}  // namespace

void BareClientFloor::OpenTab(int number) {
    First(kBlockedNumber, {{"CBL_NUMERO", number}}, {"CBL_NUMERO"});
    First(kTabNumber, {{"COM_NUMERO", number}}, {"COM_NUMERO"});
    const Row tab = First(kComandaSelect + "\n" + kWhereTabNumber, {{"COM_NUMERO", number}},
                          {"COM_CODIGO", "COM_NUMERO", "COM_QTDE", "COM_TOTAL", "PDV_CODIGO", "COM_CLIENTE"});
    tabCode_ = tab[0];
    tabNumber_ = tab[1];
    First(kItemSelect + "\n" + kWhereLastItemOfTab, {{"COM_CODIGO", tabCode_}}, {"CIN_CODIGO"});
    const Row now = First(kServerMoment, {}, {"DATA", "HORA"});
    Run(kComandaLog, {{"DATA", now[0]},
                      {"HORA", now[1]},
                      {"NUMERO", tab[1]},
                      {"QTDE", tab[2]},
                      {"TOTAL", tab[3]},
                      {"PDV", tab[4]},
                      {"MENSAGEM", Windows1252Text("COMANDA ABERTA NO MICROTERMINAL")},
                      {"CLIENTE", tab[5]},
                      {"ORIGEM", Windows1252Text("MICROTERMINAL")}});
    Commit();
}

void BareClientFloor::AddProduct(const std::string& barcode) {
    const Row tab = First(kComandaLock, {{"COM_CODIGO", tabCode_}}, kTabColumns);
    const Row product =
        First(kProductByBarcode, {{"PRO_CODBARRAS", Windows1252Text(barcode)}}, {"PRO_CODIGO", "PRO_ABATECONSUMA"});
    const Row price = First(kPrice, {{"PRODUTO", product[0]}, {"TABELA", tab[4]}}, {"VALOR"});
    First(kTabNumberStatus, {{"NUMERO", tabNumber_}}, {"CBL_NUMERO", "COM_NUMERO"});
    const Row key = First(kItemKey, {}, {"GEN_ID"});
    Run(kItemInsert, {{"CIN_CODIGO", key[0]},
                      {"PRO_CODIGO", product[0]},
                      {"COM_CODIGO", tabCode_},
                      {"CIN_QTDE", 1},
                      {"CIN_VALOR", price[0]},
                      {"CIN_DESCONTO", 0},
                      {"CIN_ACRESCIMO", 0},
                      {"CIN_ABATECONSUMA", product[1]}});
    const Row now = First(kServerMoment, {}, {"DATA", "HORA"});
    Run(kComandaLog, {{"DATA", now[0]},
                      {"HORA", now[1]},
                      {"NUMERO", tabNumber_},
                      {"QTDE", tab[0]},
                      {"TOTAL", tab[1]},
                      {"PDV", tab[2]},
                      {"MENSAGEM", Windows1252Text("ADICIONADO PRODUTO NA COMANDA VIA MICROTERMINAL")},
                      {"CLIENTE", tab[3]},
                      {"ORIGEM", Windows1252Text("MICROTERMINAL")}});
    const Row totals = First(kTabTotals, {{"COM_CODIGO", tabCode_}}, {"QTDE", "TOTAL"});
    Run(TotalsUpdate(), {{"COM_QTDE", totals[0]}, {"COM_TOTAL", totals[1]}, {"OLD_COM_CODIGO", tabCode_}});
    First(kComandaRefresh, {{"COM_CODIGO", tabCode_}}, {"COM_QTDE", "COM_TOTAL"});
    Commit();
}

void BareClientFloor::ChangeLastQuantity(int quantity) {
    First(kComandaLock, {{"COM_CODIGO", tabCode_}}, kTabColumns);
    const Row item = First(kItemSelect + "\n" + kWhereLastItemOfTab, {{"COM_CODIGO", tabCode_}}, {"CIN_CODIGO"});
    First(kTabNumberStatus, {{"NUMERO", tabNumber_}}, {"CBL_NUMERO", "COM_NUMERO"});
    Run(QuantityUpdate(), {{"CIN_QTDE", quantity}, {"OLD_CIN_CODIGO", item[0]}});
    const Row totals = First(kTabTotals, {{"COM_CODIGO", tabCode_}}, {"QTDE", "TOTAL"});
    Run(TotalsUpdate(), {{"COM_QTDE", totals[0]}, {"COM_TOTAL", totals[1]}, {"OLD_COM_CODIGO", tabCode_}});
    First(kComandaRefresh, {{"COM_CODIGO", tabCode_}}, {"COM_QTDE", "COM_TOTAL"});
    Commit();
}

void BareClientFloor::ShowTotal() {
    First(kComandaLock, {{"COM_CODIGO", tabCode_}}, kTabColumns);
    const Row totals = First(kTabTotals, {{"COM_CODIGO", tabCode_}}, {"QTDE", "TOTAL"});
    Run(TotalsUpdate(), {{"COM_QTDE", totals[0]}, {"COM_TOTAL", totals[1]}, {"OLD_COM_CODIGO", tabCode_}});
    First(kComandaRefresh, {{"COM_CODIGO", tabCode_}}, {"COM_QTDE", "COM_TOTAL"});
    First(kTabNumberStatus, {{"NUMERO", tabNumber_}}, {"CBL_NUMERO", "COM_NUMERO"});
    Commit();
}
