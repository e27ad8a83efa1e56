#include "DayNumber.h"

namespace {

using namespace std::chrono;

// 30/12/1899 counted from 01/01/1970.
constexpr long long kDayZeroFromUnixEpoch = -25569;

sys_days SystemDay(long long dayNumber) { return sys_days{days{dayNumber + kDayZeroFromUnixEpoch}}; }

}  // namespace

long long DayNumberOf(int year, int month, int day) {
    const sys_days date{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                        std::chrono::day{static_cast<unsigned>(day)}};
    return date.time_since_epoch().count() - kDayZeroFromUnixEpoch;
}

year_month_day DateOfDayNumber(long long dayNumber) { return year_month_day{SystemDay(dayNumber)}; }

weekday WeekdayOfDayNumber(long long dayNumber) { return weekday{SystemDay(dayNumber)}; }

long double DayFractionOf(int hour, int minute, int second, long double secondFraction) {
    const long double seconds = hour * 3600.0L + minute * 60.0L + second + secondFraction;
    return seconds / 86400.0L;
}
