#pragma once
// Dates as a count of days since 30/12/1899 (day 0), the count stored date
// values and the edit boxes share; proleptic Gregorian calendar.
#include <chrono>

// The day number of a date; a day past the month's end runs on into the next.
long long DayNumberOf(int year, int month, int day);

// The calendar date and the weekday of a day number.
std::chrono::year_month_day DateOfDayNumber(long long dayNumber);
std::chrono::weekday WeekdayOfDayNumber(long long dayNumber);
