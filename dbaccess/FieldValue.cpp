#include "FieldValue.h"

#include "DatabaseError.h"
#include "DayNumber.h"
#include "Windows1252.h"

#include <charconv>
#include <cstdio>

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

long double DayNumber(const SqlDate& date) {
    return static_cast<long double>(DayNumberOf(date.year, date.month, date.day));
}

// The engine keeps times in ten-thousandths of a second.
long double DayFraction(const SqlTime& time) {
    return DayFractionOf(time.hour, time.minute, time.second, time.fraction / 10000.0L);
}

std::string DecimalText(std::int64_t scaled, int places) {
    std::string digits =
        std::to_string(scaled < 0 ? -static_cast<unsigned long long>(scaled) : static_cast<unsigned long long>(scaled));
    if (places > 0) {
        if (digits.size() <= static_cast<std::size_t>(places))
            digits.insert(0, places + 1 - digits.size(), '0');
        digits.insert(digits.size() - places, ".");
    }
    return scaled < 0 ? "-" + digits : digits;
}

// A plain decimal number with "." whatever the process locale says.
FixedPoint ParseFixed(const Windows1252Text& stored) {
    const std::string& text = stored.Bytes();
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw DatabaseError("'" + Windows1252ToUtf8(stored) + "' is not a valid number");
    return FixedPoint::FromDouble(value);
}

[[noreturn]] void Unconvertible(const char* target) {
    throw DatabaseError(std::string("Value cannot be converted to ") + target);
}

}  // namespace

std::int64_t FieldValue::AsInteger() const {
    return std::visit(Overloaded{
                          [](std::monostate) -> std::int64_t { return 0; },
                          [](std::int64_t v) { return v; },
                          [](const Decimal& v) { return FixedPoint::FromScaled(v.scaled, v.places).ToScaled(0); },
                          [](double v) { return FixedPoint::FromDouble(v).ToScaled(0); },
                          [](const Windows1252Text& v) { return ParseFixed(v).ToScaled(0); },
                          [](const auto&) -> std::int64_t { Unconvertible("an integer"); },
                      },
                      value_);
}

FixedPoint FieldValue::AsFixed() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return FixedPoint(); },
                          [](std::int64_t v) { return FixedPoint::FromInteger(v); },
                          [](const Decimal& v) { return FixedPoint::FromScaled(v.scaled, v.places); },
                          [](double v) { return FixedPoint::FromDouble(v); },
                          [](const Windows1252Text& v) { return ParseFixed(v); },
                          [](const auto&) -> FixedPoint { Unconvertible("a decimal number"); },
                      },
                      value_);
}

long double FieldValue::AsNumber() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0L; },
                          [](std::int64_t v) { return static_cast<long double>(v); },
                          [](const Decimal& v) {
                              long double divisor = 1;
                              for (int i = 0; i < v.places; ++i)
                                  divisor *= 10;
                              return v.scaled / divisor;
                          },
                          [](double v) { return static_cast<long double>(v); },
                          [](const Windows1252Text& v) { return ParseFixed(v).ToDouble(); },
                          [](const SqlDate& v) { return DayNumber(v); },
                          [](const SqlTime& v) { return DayFraction(v); },
                          [](const SqlTimestamp& v) { return DayNumber(v.date) + DayFraction(v.time); },
                      },
                      value_);
}

Windows1252Text FieldValue::AsText() const {
    char buffer[32];
    return Windows1252Text(
        std::visit(Overloaded{
                       [](std::monostate) { return std::string(); },
                       [](std::int64_t v) { return std::to_string(v); },
                       [](const Decimal& v) { return DecimalText(v.scaled, v.places); },
                       [&](double v) {
                           auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
                           return std::string(buffer, result.ptr);
                       },
                       [](const Windows1252Text& v) { return v.Bytes(); },
                       [&](const SqlDate& v) {
                           std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", v.year, v.month, v.day);
                           return std::string(buffer);
                       },
                       [&](const SqlTime& v) {
                           std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", v.hour, v.minute, v.second);
                           return std::string(buffer);
                       },
                       [&](const SqlTimestamp& v) {
                           std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", v.date.year,
                                         v.date.month, v.date.day, v.time.hour, v.time.minute, v.time.second);
                           return std::string(buffer);
                       },
                   },
                   value_));
}

SqlDate FieldValue::AsDate() const {
    if (auto date = std::get_if<SqlDate>(&value_))
        return *date;
    if (auto stamp = std::get_if<SqlTimestamp>(&value_))
        return stamp->date;
    Unconvertible("a date");
}

SqlTime FieldValue::AsTime() const {
    if (auto time = std::get_if<SqlTime>(&value_))
        return *time;
    if (auto stamp = std::get_if<SqlTimestamp>(&value_))
        return stamp->time;
    Unconvertible("a time");
}
