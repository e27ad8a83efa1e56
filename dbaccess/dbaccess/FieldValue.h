#pragma once
// One value of a row or of a statement parameter, null-aware and typed:
// whole numbers, exact decimals (a scaled 64-bit integer and its number of
// decimal places, as NUMERIC columns hold them), floating-point numbers,
// Windows-1252 text (CHAR, VARCHAR and BLOB contents alike), DATE, TIME and
// TIMESTAMP. The As... conversions read a null as 0 or empty text.
//
// Text goes in and out as Windows1252Text, the shop database's code page:
// a UTF-8 string (a QString's bytes, a message) cannot be stored or read
// as a text value without a conversion or a visible construction.
#include "FixedPoint.h"
#include "SqlDateTime.h"
#include "Windows1252Text.h"

#include <cstdint>
#include <map>
#include <string>
#include <variant>

class FieldValue {
public:
    struct Decimal {
        std::int64_t scaled = 0;
        int places = 0;
        bool operator==(const Decimal&) const = default;
    };

    FieldValue() = default;  // null
    FieldValue(int value) : value_(std::int64_t{value}) {}
    FieldValue(std::int64_t value) : value_(value) {}
    FieldValue(FixedPoint value) : value_(Decimal{value.Raw(), FixedPoint::kPlaces}) {}
    FieldValue(Decimal value) : value_(value) {}
    FieldValue(double value) : value_(value) {}
    FieldValue(Windows1252Text text) : value_(std::move(text)) {}
    // A literal says what it holds: Windows1252Text("CONSUMIDOR").
    FieldValue(const char*) = delete;
    FieldValue(SqlDate value) : value_(value) {}
    FieldValue(SqlTime value) : value_(value) {}
    FieldValue(SqlTimestamp value) : value_(value) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    bool IsText() const { return std::holds_alternative<Windows1252Text>(value_); }

    // Numbers convert to each other (to the nearest whole number or onto the
    // four-place grid, ties to even); text converts when it is a plain
    // decimal number. Anything else throws DatabaseError.
    std::int64_t AsInteger() const;
    FixedPoint AsFixed() const;
    // Numbers as floating point; a date or time as a day number with the
    // time as fraction (days since 30 December 1899).
    long double AsNumber() const;
    // Text as stored; numbers in plain decimal with "." ; dates as
    // YYYY-MM-DD, times as HH:MM:SS (plain ASCII, so Windows-1252 too).
    Windows1252Text AsText() const;
    // Throw DatabaseError unless the value is of that kind (or a timestamp).
    SqlDate AsDate() const;
    SqlTime AsTime() const;

    bool operator==(const FieldValue&) const = default;

    using Storage =
        std::variant<std::monostate, std::int64_t, Decimal, double, Windows1252Text, SqlDate, SqlTime, SqlTimestamp>;
    const Storage& Raw() const { return value_; }

private:
    Storage value_;
};

// Values of named statement parameters (":NAME" in the text), by name.
using SqlParameters = std::map<std::string, FieldValue>;
