#include "DayNumber.h"

#include <gtest/gtest.h>

namespace {

struct DayCase {
    int year, month, day;
    long long dayNumber;
    unsigned isoWeekday;
};

const DayCase kCases[] = {
    {1899, 12, 30, 0, 6},    {1899, 12, 29, -1, 5}, {1900, 1, 1, 2, 1},         {2000, 2, 29, 36585, 2},
    {2015, 5, 12, 42136, 2}, {1, 1, 1, -693593, 1}, {9999, 12, 31, 2958465, 5},
};

TEST(DayNumber, CountsFrom30December1899BothWays) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
        EXPECT_EQ(DayNumberOf(c.year, c.month, c.day), c.dayNumber);
        const std::chrono::year_month_day date = DateOfDayNumber(c.dayNumber);
        EXPECT_EQ(static_cast<int>(date.year()), c.year);
        EXPECT_EQ(static_cast<unsigned>(date.month()), static_cast<unsigned>(c.month));
        EXPECT_EQ(static_cast<unsigned>(date.day()), static_cast<unsigned>(c.day));
        EXPECT_EQ(WeekdayOfDayNumber(c.dayNumber).iso_encoding(), c.isoWeekday);
    }
}

}  // namespace
