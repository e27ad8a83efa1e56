#pragma once
// Calendar values as the store holds them: DATE, TIME (to the ten-thousandth
// of a second) and TIMESTAMP.
#include <compare>

struct SqlDate {
    int year = 0;
    int month = 0;
    int day = 0;
    auto operator<=>(const SqlDate&) const = default;
};

struct SqlTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int fraction = 0;  // ten-thousandths of a second
    auto operator<=>(const SqlTime&) const = default;
};

struct SqlTimestamp {
    SqlDate date;
    SqlTime time;
    auto operator<=>(const SqlTimestamp&) const = default;
};
