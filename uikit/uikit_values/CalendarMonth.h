#pragma once
// The date popup's calendar apart from its window: the month grid (7
// columns, Sunday first, 6 rows), the Brazilian public holidays, the day
// count from today and the moves of the grid's arrow keys. Names are
// Windows-1252.
#include "DateTimeValue.h"

#include <array>
#include <optional>
#include <string>

struct TGridCell {
    int Column = 0;  // 0 Sunday ... 6 Saturday
    int Row = 0;     // 0..5
    bool operator==(const TGridCell&) const = default;
};

class TMonthGrid {
public:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 6;

    TMonthGrid(int year, int month);

    // The day in that cell, 0 for an empty cell.
    int DayAt(TGridCell cell) const { return days_[cell.Row][cell.Column]; }
    TGridCell CellOf(int day) const;

private:
    std::array<std::array<int, kColumns>, kRows> days_{};
};

TDateTime EasterSunday(int year);

// The holiday on that day, or empty text. Fixed holidays go by day and
// month; Carnaval, Sexta-Feira Santa, Páscoa and Corpus Crist by Easter of
// the year. The time of day does not matter.
std::string HolidayName(TDateTime date);

// Calendar days from today to the date's day (negative in the past).
int DayDifference(TDateTime date, TDateTime today);

enum class TGridKey { Left, Right, Up, Down, Home, End, PageUp, PageDown };

// The date a grid key moves to from `current`, or nothing when the key
// would land on an empty cell or off the grid. Left and right step over
// the edges of a row and of the month; leaving the month keeps the time of
// day, every other move selects a day at midnight.
std::optional<TDateTime> DateAfterGridKey(TDateTime current, TGridKey key);
