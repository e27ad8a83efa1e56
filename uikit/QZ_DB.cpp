#include "QZ_DB.h"

#include "DataSet.h"
#include "FieldValue.h"

#include <cmath>
#include <functional>
#include <limits>
#include <type_traits>
#include <utility>

namespace {

double PowerOfTen(int places) { return std::pow(10.0, places); }

TDateTime FromSql(const SqlDate& date) { return EncodeDate(date.year, date.month, date.day); }

double FromSql(const SqlTime& time) { return EncodeTime(time.hour, time.minute, time.second, time.fraction / 10); }

SqlDate ToSqlDate(TDateTime value) {
    const TCalendarDate date = DecodeDate(value);
    return {date.Year, date.Month, date.Day};
}

SqlTime ToSqlTime(TDateTime value) {
    const TTimeOfDay time = DecodeTime(value);
    return {time.Hour, time.Minute, time.Second, time.Millisecond * 10};
}

std::optional<std::int64_t> ToInt64(std::optional<double> number) {
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (!(std::fabs(rounded) < 9.2e18))
        return std::nullopt;
    return static_cast<std::int64_t>(rounded);
}

// Takes `listener` off the source it listens to (when there is one) and puts
// it on `next` (when there is one), keeping its id there in `listenerId`.
template <typename Source>
void MoveListener(Source*& listenedTo, int& listenerId, std::type_identity_t<Source>* next,
                  std::function<void()> listener) {
    if (listenedTo)
        listenedTo->RemoveDataChangeListener(listenerId);
    listenedTo = next;
    if (listenedTo)
        listenerId = listenedTo->AddDataChangeListener(std::move(listener));
}

// Calls the function when the scope ends, on every path.
template <typename F>
class AtScopeEnd {
public:
    explicit AtScopeEnd(F f) : f_(f) {}
    ~AtScopeEnd() { f_(); }
    AtScopeEnd(const AtScopeEnd&) = delete;
    AtScopeEnd& operator=(const AtScopeEnd&) = delete;

private:
    F f_;
};

}  // namespace

TEditValue FieldToEditValue(const FieldValue& field) {
    const FieldValue::Storage& raw = field.Raw();
    if (const auto* whole = std::get_if<std::int64_t>(&raw))
        return static_cast<double>(*whole);
    if (const auto* decimal = std::get_if<FieldValue::Decimal>(&raw))
        return static_cast<double>(decimal->scaled) / PowerOfTen(decimal->places);
    if (const auto* number = std::get_if<double>(&raw))
        return *number;
    if (const auto* text = std::get_if<Windows1252Text>(&raw))
        return *text;
    if (const auto* date = std::get_if<SqlDate>(&raw))
        return FromSql(*date);
    if (const auto* time = std::get_if<SqlTime>(&raw))
        return TDateTime{FromSql(*time)};
    if (const auto* stamp = std::get_if<SqlTimestamp>(&raw))
        return TDateTime{FromSql(stamp->date).Days + FromSql(stamp->time)};
    return {};
}

std::optional<FieldValue> EditValueToField(const TEditValue& value, const FieldValue& current) {
    if (IsNull(value))
        return FieldValue{};
    const FieldValue::Storage& kind = current.Raw();
    if (std::holds_alternative<std::int64_t>(kind)) {
        if (const auto whole = ToInt64(ValueToNumber(value)))
            return FieldValue(*whole);
        return std::nullopt;
    }
    if (const auto* decimal = std::get_if<FieldValue::Decimal>(&kind)) {
        const auto number = ValueToNumber(value);
        const auto scaled = number ? ToInt64(*number * PowerOfTen(decimal->places)) : std::nullopt;
        if (scaled)
            return FieldValue(FieldValue::Decimal{*scaled, decimal->places});
        return std::nullopt;
    }
    if (std::holds_alternative<double>(kind)) {
        if (const auto number = ValueToNumber(value))
            return FieldValue(*number);
        return std::nullopt;
    }
    if (std::holds_alternative<Windows1252Text>(kind))
        return FieldValue(ValueToText(value));
    if (std::holds_alternative<SqlDate>(kind) || std::holds_alternative<SqlTime>(kind) ||
        std::holds_alternative<SqlTimestamp>(kind)) {
        const auto moment = ValueToDateTime(value);
        if (!moment)
            return std::nullopt;
        if (std::holds_alternative<SqlDate>(kind))
            return FieldValue(ToSqlDate(*moment));
        if (std::holds_alternative<SqlTime>(kind))
            return FieldValue(ToSqlTime(*moment));
        return FieldValue(SqlTimestamp{ToSqlDate(*moment), ToSqlTime(*moment)});
    }
    // A null field: the value goes as it is.
    if (const auto* text = std::get_if<Windows1252Text>(&value))
        return FieldValue(*text);
    if (const auto* number = std::get_if<double>(&value))
        return FieldValue(*number);
    const TDateTime moment = std::get<TDateTime>(value);
    return FieldValue(SqlTimestamp{ToSqlDate(moment), ToSqlTime(moment)});
}

TDataSource::TDataSource(DataSet* dataSet) { SetDataSet(dataSet); }

TDataSource::~TDataSource() { MoveListener(dataSet_, dataSetListener_, nullptr, {}); }

void TDataSource::SetDataSet(DataSet* dataSet) {
    MoveListener(dataSet_, dataSetListener_, dataSet, [this] { NotifyDataChange(); });
    NotifyDataChange();
}

int TDataSource::AddDataChangeListener(std::function<void()> listener) {
    return changeListeners_.Add(std::move(listener));
}

void TDataSource::RemoveDataChangeListener(int id) { changeListeners_.Remove(id); }

void TDataSource::NotifyDataChange() { changeListeners_.Notify(); }

TQZFieldDataLink::TQZFieldDataLink(QWidget* control) : control_(control) {}

TQZFieldDataLink::~TQZFieldDataLink() { MoveListener(dataSource_, listenerId_, nullptr, {}); }

void TQZFieldDataLink::SetDataSource(TDataSource* source) {
    MoveListener(dataSource_, listenerId_, source, [this] { DataChange(); });
    DataChange();
}

void TQZFieldDataLink::SetDataField(const std::string& name) {
    dataField_ = name;
    DataChange();
}

bool TQZFieldDataLink::Usable() const {
    const DataSet* dataSet = dataSource_ ? dataSource_->GetDataSet() : nullptr;
    return dataSet && dataSet->Active() && dataSet->HasField(dataField_) && control_ && Active;
}

void TQZFieldDataLink::DataChange() {
    if (!Usable())
        return;
    Value = FieldToEditValue(dataSource_->GetDataSet()->FieldByName(dataField_));
    if (OnDataChange)
        OnDataChange(*this);
}

void TQZFieldDataLink::UpdateValue(const TEditValue& value) {
    // An unchanged value is not written: writing it back would undo what
    // another program stored in the field since it was read.
    if (!Usable() || value == Value)
        return;
    Value = value;
    UpdateData();
}

void TQZFieldDataLink::UpdateData() {
    Active = false;
    const AtScopeEnd reactivate([this] { Active = true; });
    DataSet& dataSet = *dataSource_->GetDataSet();
    const bool startsRecord = dataSet.State() != DataSetState::dsEdit && dataSet.State() != DataSetState::dsInsert;
    if (startsRecord) {
        if (dataSet.IsEmpty())
            dataSet.Append();
        else
            dataSet.Edit();
    }
    const auto field = EditValueToField(Value, dataSet.FieldByName(dataField_));
    dataSet.SetField(dataField_, field.value_or(FieldValue{}));
    if (!startsRecord)
        return;
    try {
        dataSet.Post();
    } catch (...) {
        // A record left pending would ride along with the next write; the
        // control goes back to what the field holds.
        dataSet.Cancel();
        Active = true;
        DataChange();
        throw;
    }
}
