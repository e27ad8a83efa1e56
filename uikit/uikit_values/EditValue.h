#pragma once
// The value an edit box or a field link holds: null, text (Windows-1252), a
// number, or a date-time.
#include "DateTimeValue.h"
#include "Windows1252Text.h"

#include <optional>
#include <string>
#include <variant>

using TEditValue = std::variant<std::monostate, Windows1252Text, double, TDateTime>;

inline bool IsNull(const TEditValue& value) { return std::holds_alternative<std::monostate>(value); }

// A number, a date-time as its day number, or text that reads as a
// Brazilian number ("12,5"); nothing for null and for other text.
std::optional<double> ValueToNumber(const TEditValue& value);
// A date-time, a number taken as a day number, or text that reads as a
// date and/or time ("12/05/2015 10:30"); nothing for null and other text.
std::optional<TDateTime> ValueToDateTime(const TEditValue& value);
// Text as it stands, numbers and date-times as plain Brazilian text, null as
// empty text.
Windows1252Text ValueToText(const TEditValue& value);
