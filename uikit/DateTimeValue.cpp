#include "DateTimeValue.h"

#include "DayNumber.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <utility>

namespace {

using namespace std::chrono;

struct TSplitMoment {
    long long Day;
    long long Millisecond;  // 0 .. 86399999
};

// Day number and time of day, with the day's fraction rounded to the
// millisecond and a full day carried into the day number.
TSplitMoment Split(TDateTime value) {
    const double whole = std::trunc(value.Days);
    long long day = static_cast<long long>(whole);
    long long ms = std::llround(std::fabs(value.Days - whole) * kMillisecondsPerDay);
    if (ms >= static_cast<long long>(kMillisecondsPerDay)) {
        ms -= static_cast<long long>(kMillisecondsPerDay);
        day += value.Days < 0 ? -1 : 1;
    }
    return {day, ms};
}

TDateTime RealNow() {
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const TDateTime date = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return {date.Days + EncodeTime(local.tm_hour, local.tm_min, local.tm_sec % 60, static_cast<int>(ms))};
}

quorvel::Clock& CurrentClock() {
    static quorvel::Clock clock;
    return clock;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

int DaysInMonth(int year, int month) {
    const year_month_day_last end{std::chrono::year{year},
                                  month_day_last{std::chrono::month{static_cast<unsigned>(month)}}};
    return static_cast<int>(static_cast<unsigned>(end.day()));
}

TDateTime EncodeDate(int year, int month, int day) { return {static_cast<double>(DayNumberOf(year, month, day))}; }

double EncodeTime(int hour, int minute, int second, int millisecond) {
    return static_cast<double>(DayFractionOf(hour, minute, second, millisecond / 1000.0L));
}

TCalendarDate DecodeDate(TDateTime value) {
    const year_month_day ymd = DateOfDayNumber(Split(value).Day);
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

TTimeOfDay DecodeTime(TDateTime value) {
    const long long ms = Split(value).Millisecond;
    return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
            static_cast<int>(ms % 1000)};
}

TDateTime DateOf(TDateTime value) { return {static_cast<double>(Split(value).Day)}; }

double TimeOf(TDateTime value) { return std::fabs(value.Days - std::trunc(value.Days)); }

int IsoDayOfWeek(TDateTime value) {
    const weekday day = WeekdayOfDayNumber(Split(value).Day);
    return static_cast<int>(day.iso_encoding());
}

TDateTime IncMonth(TDateTime value, int months) {
    const TCalendarDate date = DecodeDate(value);
    const int monthIndex = date.Year * 12 + (date.Month - 1) + months;
    const int year = monthIndex / 12;
    const int month = monthIndex % 12 + 1;
    const int day = std::min(date.Day, DaysInMonth(year, month));
    const TDateTime target = EncodeDate(year, month, day);
    const double time = TimeOf(value);
    return {target.Days < 0 ? target.Days - time : target.Days + time};
}

namespace quorvel {

Clock SetClock(Clock clock) { return std::exchange(CurrentClock(), std::move(clock)); }

TDateTime Now() {
    const Clock& clock = CurrentClock();
    return clock ? clock() : RealNow();
}

TDateTime Today() { return DateOf(Now()); }

double TimeOfDayNow() { return TimeOf(Now()); }

}  // namespace quorvel
