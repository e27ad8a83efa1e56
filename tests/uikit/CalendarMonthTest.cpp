#include "CalendarCellLook.h"
#include "CalendarMonth.h"
#include "DateSteps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

TEST(CalendarMonth, LaysOutFebruary2015FromSunday) {
    const TMonthGrid grid(2015, 2);
    EXPECT_EQ(grid.CellOf(1), (TGridCell{0, 0}));
    EXPECT_EQ(grid.CellOf(28), (TGridCell{6, 3}));
    for (int row = 4; row < TMonthGrid::kRows; ++row)
        for (int column = 0; column < TMonthGrid::kColumns; ++column)
            EXPECT_EQ(grid.DayAt({column, row}), 0);
}

TEST(CalendarMonth, MonthStartingOnSaturdayUsesAllSixRows) {
    const TMonthGrid grid(2015, 8);  // 1 August 2015 is a Saturday
    EXPECT_EQ(grid.CellOf(1), (TGridCell{6, 0}));
    EXPECT_EQ(grid.CellOf(2), (TGridCell{0, 1}));
    EXPECT_EQ(grid.CellOf(31), (TGridCell{1, 5}));
    EXPECT_EQ(grid.DayAt({0, 0}), 0);
}

TEST(CalendarMonth, NamesFixedAndEasterHolidays) {
    struct Case {
        TDateTime date;
        const char* name;
    };
    const Case cases[] = {
        {EncodeDate(2015, 2, 17), "Carnaval"},
        {EncodeDate(2015, 4, 3), "Sexta-Feira Santa"},
        {EncodeDate(2015, 4, 5), "P\xE1scoa"},
        {EncodeDate(2015, 6, 4), "Corpus Crist"},
        {EncodeDate(2018, 3, 30), "Sexta-Feira Santa"},
        {EncodeDate(2018, 4, 1), "P\xE1scoa"},
        {EncodeDate(2000, 4, 21), "Sexta-Feira Santa"},  // replaces Tiradentes that year
        {EncodeDate(2015, 4, 21), "Tiradentes"},
        {EncodeDate(2015, 1, 1), "Confraterniza\xE7\xE3o Universal"},
        {EncodeDate(2015, 11, 15),
         "Proclama\xE7\xE3o da Rep\xFA"
         "blica"},
        {EncodeDate(2015, 12, 25), "Natal"},
        {EncodeDate(2015, 12, 24), ""},
        // A time of day does not hide the holiday.
        {TDateTime{EncodeDate(2015, 4, 5).Days + 0.5}, "P\xE1scoa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HolidayName(c.date), c.name);
    }
    EXPECT_EQ(EasterSunday(2024), EncodeDate(2024, 3, 31));
    EXPECT_EQ(EasterSunday(2038), EncodeDate(2038, 4, 25));
}

TEST(CalendarMonth, CountsCalendarDaysFromToday) {
    const TDateTime today = EncodeDate(2015, 3, 10);
    EXPECT_EQ(DayDifference(today, today), 0);
    EXPECT_EQ(DayDifference(EncodeDate(2015, 3, 9), today), -1);
    EXPECT_EQ(DayDifference(TDateTime{EncodeDate(2015, 3, 9).Days + 0.5}, today), -1);
    EXPECT_EQ(DayDifference(TDateTime{EncodeDate(2015, 3, 11).Days + 0.99}, today), 1);
    EXPECT_EQ(DayDifference(EncodeDate(2016, 3, 10), today), 366);
}

TEST(CalendarMonth, GridKeysCrossRowsAndMonths) {
    const double noon = 0.5;
    struct Case {
        const char* what;
        TDateTime from;
        TGridKey key;
        std::optional<TDateTime> to;
    };
    const Case cases[] = {
        {"right on the last day", TDateTime{EncodeDate(2015, 1, 31).Days + noon}, TGridKey::Right,
         TDateTime{EncodeDate(2015, 2, 1).Days + noon}},
        {"left on the first day", EncodeDate(2015, 3, 1), TGridKey::Left, EncodeDate(2015, 2, 28)},
        {"left from Sunday", EncodeDate(2015, 2, 8), TGridKey::Left, EncodeDate(2015, 2, 7)},
        {"right from Saturday", TDateTime{EncodeDate(2015, 2, 7).Days + noon}, TGridKey::Right, EncodeDate(2015, 2, 8)},
        {"up", EncodeDate(2015, 2, 10), TGridKey::Up, EncodeDate(2015, 2, 3)},
        {"up off the month", EncodeDate(2015, 8, 2), TGridKey::Up, std::nullopt},
        {"down off the month", EncodeDate(2015, 2, 25), TGridKey::Down, std::nullopt},
        {"home", EncodeDate(2015, 8, 5), TGridKey::Home, EncodeDate(2015, 8, 2)},
        {"end onto an empty cell", EncodeDate(2015, 8, 31), TGridKey::End, std::nullopt},
        {"page down", EncodeDate(2015, 8, 3), TGridKey::PageDown, EncodeDate(2015, 8, 31)},
        {"page up onto an empty cell", EncodeDate(2015, 8, 3), TGridKey::PageUp, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DateAfterGridKey(c.from, c.key), c.to);
    }
}

TEST(DateSteps, MenusListTheirStepsInOrder) {
    std::string forward, backward;
    for (const auto& step : ForwardSteps())
        forward += std::string(step.Caption) + "|";
    for (const auto& step : BackwardSteps())
        backward += std::string(step.Caption) + "|";
    EXPECT_EQ(forward,
              "Incrementar 1 semana|Incrementar 2 semanas|Incrementar 15 dias|Incrementar 30 dias|"
              "Incrementar 1 m\xEAs|Incrementar 45 dias|Incrementar 2 meses|Incrementar 3 meses|"
              "Incrementar 4 meses|Incrementar 6 meses|Incrementar 1 ano|Fim deste m\xEAs|"
              "Fim deste ano||Cancelar|");
    EXPECT_EQ(backward,
              "Voltar 1 semana|Voltar 2 semanas|Voltar 15 dias|Voltar 30 dias|Voltar 1 m\xEAs|"
              "Voltar 45 dias|Voltar 2 meses|Voltar 3 meses|Voltar 4 meses|Voltar 6 meses|"
              "Voltar 1 ano|In\xED"
              "cio deste m\xEAs|In\xED"
              "cio deste ano||Cancelar|");
}

TEST(DateSteps, MoveTheDateBySteps) {
    const double evening = EncodeTime(18, 0, 0, 0);
    const TDateTime from{EncodeDate(2015, 1, 31).Days + evening};
    const auto step = [&](std::span<const TDateStep> menu, const char* caption) {
        const auto found = std::find_if(menu.begin(), menu.end(),
                                        [&](const TDateStep& s) { return std::string(s.Caption) == caption; });
        return ApplyDateStep(*found, from);
    };
    const double lastMillisecond = EncodeTime(23, 59, 59, 999);
    EXPECT_EQ(step(ForwardSteps(), "Incrementar 1 m\xEAs").Days, EncodeDate(2015, 2, 28).Days + evening);
    EXPECT_EQ(step(ForwardSteps(), "Incrementar 15 dias").Days, EncodeDate(2015, 2, 15).Days + evening);
    EXPECT_EQ(step(ForwardSteps(), "Incrementar 1 ano").Days, EncodeDate(2016, 1, 31).Days + evening);
    EXPECT_EQ(step(ForwardSteps(), "Fim deste m\xEAs").Days, EncodeDate(2015, 1, 31).Days + lastMillisecond);
    EXPECT_EQ(step(ForwardSteps(), "Fim deste ano").Days, EncodeDate(2015, 12, 31).Days + lastMillisecond);
    EXPECT_EQ(step(ForwardSteps(), "Cancelar"), from);
    EXPECT_EQ(step(BackwardSteps(), "Voltar 2 semanas").Days, EncodeDate(2015, 1, 17).Days + evening);
    EXPECT_EQ(step(BackwardSteps(), "Voltar 3 meses").Days, EncodeDate(2014, 10, 31).Days + evening);
    EXPECT_EQ(step(BackwardSteps(),
                   "In\xED"
                   "cio deste m\xEAs"),
              EncodeDate(2015, 1, 1));
    EXPECT_EQ(step(BackwardSteps(),
                   "In\xED"
                   "cio deste ano"),
              EncodeDate(2015, 1, 1));
}

TEST(CalendarCellLook, PaintsCellsByColumnSelectionAndHoliday) {
    const TCalendarThemeColors theme{0xF4F8FF, 0x004DEA, 0xDFEAFF};
    struct Case {
        const char* what;
        bool themed;
        int column;
        bool selected, empty, holiday;
        TCellLook look;
    };
    const Case cases[] = {
        {"odd column", true, 1, false, false, false, {0xFFFFFF, 0x000000}},
        {"even column", true, 2, false, false, false, {0xF4F8FF, 0x000000}},
        {"selected", true, 3, true, false, false, {0x004DEA, 0xDFEAFF}},
        {"selected holiday", true, 3, true, false, true, {0x004DEA, 0xDFEAFF}},
        {"holiday", true, 0, false, false, true, {0xF4F8FF, 0x0000FF}},
        {"empty", true, 0, false, true, false, {0xF2F2F2, 0x000000}},
        {"plain even column", false, 2, false, false, false, {0xFFFFFF, 0x000000}},
        {"plain selected", false, 2, true, false, false, {0x000000, 0xFFFFFF}},
        {"plain holiday", false, 5, false, false, true, {0xFFFFFF, 0x0000FF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto colors = c.themed ? std::optional(theme) : std::nullopt;
        EXPECT_EQ(CalendarCellLook(colors, c.column, c.selected, c.empty, c.holiday), c.look);
    }
}
