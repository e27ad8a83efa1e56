#pragma once
// Dates and times as Brazilian text: the day/month/year order with "/", the
// 24-hour clock with ":", and the Portuguese month and weekday names. Text is
// Windows-1252, like every value the boxes exchange with the store.
#include "DateTimeValue.h"

#include <optional>
#include <string>

// Names of month 1..12 ("janeiro", "jan") and of ISO weekday 1..7, Monday
// first ("segunda-feira", "seg").
std::string LongMonthName(int month);
std::string ShortMonthName(int month);
std::string LongDayName(int isoWeekday);
std::string ShortDayName(int isoWeekday);

// Formats with the letters D (day: D, DD, DDD short name, DDDD long name),
// M (month: M, MM, MMM short name, MMMM or more long name), Y (YY or YYYY),
// H, N (minute), S, Z (millisecond), in either case; text between quotes
// and every other character are copied as they stand.
std::string FormatDateTime(const std::string& format, TDateTime value);

// The value as plain text: "DD/MM/YYYY", followed by " HH:NN:SS" when it
// has a time of day.
std::string DateTimeToText(TDateTime value);

// "D/M/Y" (a year of one or two digits falls in the hundred years that
// start 50 years before the current one) or "D/M" (this year); surrounding
// blanks allowed.
std::optional<TDateTime> ParseDate(const std::string& text);
// "H:N" or "H:N:S" on the 24-hour clock; the result is the day's fraction.
std::optional<TDateTime> ParseTime(const std::string& text);
// A date, a time, or a date and a time separated by blanks.
std::optional<TDateTime> ParseDateTime(const std::string& text);
