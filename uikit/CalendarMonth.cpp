#include "CalendarMonth.h"

namespace {

struct TFixedHoliday {
    int Month;
    int Day;
    const char* Name;
};

const TFixedHoliday kFixedHolidays[] = {
    {1, 1, "Confraterniza\xE7\xE3o Universal"},
    {4, 21, "Tiradentes"},
    {5, 1, "Dia do Trabalho"},
    {9, 7, "Independ\xEAncia do Brasil"},
    {10, 12, "Nossa Senhora Aparecida"},
    {11, 2, "Finados"},
    {11, 15,
     "Proclama\xE7\xE3o da Rep\xFA"
     "blica"},
    {12, 25, "Natal"},
};

struct TMovableHoliday {
    int DaysFromEaster;
    const char* Name;
};

// In this order: a later match replaces an earlier one.
const TMovableHoliday kMovableHolidays[] = {
    {-47, "Carnaval"},
    {-2, "Sexta-Feira Santa"},
    {0, "P\xE1scoa"},
    {60, "Corpus Crist"},
};

int ColumnOf(TDateTime date) {
    return IsoDayOfWeek(date) % 7;  // Sunday (7) goes first
}

}  // namespace

TMonthGrid::TMonthGrid(int year, int month) {
    int row = 0;
    for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        const int column = ColumnOf(EncodeDate(year, month, day));
        days_[row][column] = day;
        if (column == 6)
            ++row;
    }
}

TGridCell TMonthGrid::CellOf(int day) const {
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            if (days_[row][column] == day)
                return {column, row};
    return {};
}

TDateTime EasterSunday(int year) {
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int monthAndDay = h + l - 7 * m + 114;
    return EncodeDate(year, monthAndDay / 31, monthAndDay % 31 + 1);
}

std::string HolidayName(TDateTime date) {
    const TCalendarDate day = DecodeDate(date);
    std::string name;
    for (const auto& holiday : kFixedHolidays)
        if (holiday.Month == day.Month && holiday.Day == day.Day)
            name = holiday.Name;
    const TDateTime easter = EasterSunday(day.Year);
    const TDateTime dateOnly = DateOf(date);
    for (const auto& holiday : kMovableHolidays)
        if (dateOnly.Days == easter.Days + holiday.DaysFromEaster)
            name = holiday.Name;
    return name;
}

int DayDifference(TDateTime date, TDateTime today) { return static_cast<int>(DateOf(date).Days - DateOf(today).Days); }

std::optional<TDateTime> DateAfterGridKey(TDateTime current, TGridKey key) {
    const TCalendarDate date = DecodeDate(current);
    const int lastDay = DaysInMonth(date.Year, date.Month);
    if (key == TGridKey::Left && date.Day == 1)
        return TDateTime{current.Days - 1};
    if (key == TGridKey::Right && date.Day == lastDay)
        return TDateTime{current.Days + 1};

    const TMonthGrid grid(date.Year, date.Month);
    const TGridCell cell = grid.CellOf(date.Day);
    int day = 0;
    switch (key) {
    case TGridKey::Left: day = date.Day - 1; break;
    case TGridKey::Right: day = date.Day + 1; break;
    case TGridKey::Up: day = date.Day - 7; break;
    case TGridKey::Down: day = date.Day + 7; break;
    case TGridKey::Home: day = grid.DayAt({0, cell.Row}); break;
    case TGridKey::End: day = grid.DayAt({TMonthGrid::kColumns - 1, cell.Row}); break;
    case TGridKey::PageUp: day = grid.DayAt({cell.Column, 0}); break;
    case TGridKey::PageDown: day = grid.DayAt({cell.Column, TMonthGrid::kRows - 1}); break;
    }
    if (day < 1 || day > lastDay)
        return std::nullopt;
    return EncodeDate(date.Year, date.Month, day);
}
