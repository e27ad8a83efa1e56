#pragma once
// Dates as a count of days since 30/12/1899 (day 0), the count stored date
// values and the edit boxes share; proleptic Gregorian calendar. A time of
// day is the fraction of a day after that count.
#include <chrono>

// The day number of a date; a day past the month's end runs on into the next.
long long DayNumberOf(int year, int month, int day);

// The calendar date and the weekday of a day number.
std::chrono::year_month_day DateOfDayNumber(long long dayNumber);
std::chrono::weekday WeekdayOfDayNumber(long long dayNumber);

// The fraction of a day a time of day stands for; secondFraction is the part
// of a second past `second`.
long double DayFractionOf(int hour, int minute, int second, long double secondFraction);
