#pragma once
// Dates and times as the toolkit's boxes hold them: a number of days since
// 30/12/1899 with the time of day as the fraction (0.5 is noon). Dates
// before that day are negative; their fraction is still the time of day.
#include <functional>

struct TDateTime {
    double Days = 0;
    auto operator<=>(const TDateTime&) const = default;
};

struct TCalendarDate {
    int Year = 0;
    int Month = 0;  // 1..12
    int Day = 0;    // 1..31
    bool operator==(const TCalendarDate&) const = default;
};

struct TTimeOfDay {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

inline constexpr double kMillisecondsPerDay = 86400000.0;

bool IsValidDate(int year, int month, int day);
int DaysInMonth(int year, int month);
// Midnight of the day; the caller passes a valid date (IsValidDate).
TDateTime EncodeDate(int year, int month, int day);
// The fraction of a day for that time of day (each part in its range).
double EncodeTime(int hour, int minute, int second, int millisecond);
// The calendar day and time of day, the time rounded to the millisecond
// (a time that rounds up to 24:00 counts as the next day's midnight).
TCalendarDate DecodeDate(TDateTime value);
TTimeOfDay DecodeTime(TDateTime value);
// The day part and time part on their own.
TDateTime DateOf(TDateTime value);
double TimeOf(TDateTime value);
// 1 Monday ... 7 Sunday.
int IsoDayOfWeek(TDateTime value);
// The same day and time of day `months` calendar months later (earlier when
// negative); a day the target month lacks becomes its last day.
TDateTime IncMonth(TDateTime value, int months);

namespace quorvel {

// The local clock. Tests replace it with a fixed moment; SetClock returns
// the previous clock, and an empty function restores the real one.
using Clock = std::function<TDateTime()>;
Clock SetClock(Clock clock);
TDateTime Now();
TDateTime Today();      // Now() at midnight
double TimeOfDayNow();  // Now() without its day

}  // namespace quorvel
