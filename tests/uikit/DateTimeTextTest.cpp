#include "DateTimeText.h"

#include "FixedClock.h"

#include <gtest/gtest.h>

TEST(DateTimeValue, EncodesTheStoredDayNumbers) {
    EXPECT_EQ(EncodeDate(1899, 12, 30).Days, 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1).Days, 2);
    EXPECT_EQ(EncodeDate(2015, 2, 1).Days, 42036);
    EXPECT_EQ(DecodeDate(TDateTime{42036.75}), (TCalendarDate{2015, 2, 1}));
    EXPECT_EQ(DecodeDate(TDateTime{-1.25}), (TCalendarDate{1899, 12, 29}));
    EXPECT_EQ(DecodeTime(TDateTime{-1.25}).Hour, 6);
    EXPECT_EQ(IsoDayOfWeek(EncodeDate(2015, 2, 1)), 7);  // a Sunday
}

TEST(DateTimeValue, MonthStepsKeepDayAndTimeWithinTheTargetMonth) {
    const double evening = EncodeTime(18, 30, 0, 0);
    EXPECT_EQ(IncMonth(TDateTime{EncodeDate(2015, 1, 31).Days + evening}, 1).Days,
              EncodeDate(2015, 2, 28).Days + evening);
    EXPECT_EQ(IncMonth(EncodeDate(2016, 3, 31), -1), EncodeDate(2016, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2015, 12, 15), 1), EncodeDate(2016, 1, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2015, 1, 15), -12), EncodeDate(2014, 1, 15));
}

TEST(DateTimeText, FormatsWithDateTimeLetters) {
    const TDateTime moment{EncodeDate(2015, 3, 5).Days + EncodeTime(7, 4, 9, 12)};
    const std::pair<const char*, const char*> cases[] = {
        {"DD/MM/YYYY", "05/03/2015"},
        {"d/m/yy", "5/3/15"},
        {"HH:NN", "07:04"},
        {"hh:nn:ss.zzz", "07:04:09.012"},
        {"MMMMMM/YYYY", "mar\xE7o/2015"},
        {"dddd, d 'de' mmmm", "quinta-feira, 5 de mar\xE7o"},
        {"ddd mmm", "qui mar"},
    };
    for (const auto& [format, text] : cases) {
        SCOPED_TRACE(format);
        EXPECT_EQ(FormatDateTime(format, moment), text);
    }
    EXPECT_EQ(DateTimeToText(EncodeDate(2015, 3, 5)), "05/03/2015");
    EXPECT_EQ(DateTimeToText(moment), "05/03/2015 07:04:09");
}

TEST(DateTimeText, ParsesBrazilianDatesAndTimes) {
    FixedClock clock(EncodeDate(2026, 6, 1));
    const std::pair<const char*, std::optional<TDateTime>> dates[] = {
        {"12/05/2015", EncodeDate(2015, 5, 12)},
        {" 1/2/2015 ", EncodeDate(2015, 2, 1)},
        {"12/05", EncodeDate(2026, 5, 12)},
        {"12/05/15", EncodeDate(2015, 5, 12)},
        {"12/05/80", EncodeDate(1980, 5, 12)},  // 2080 lies beyond the hundred-year window
        {"12/05/75", EncodeDate(2075, 5, 12)},
        {"29/02/2015", std::nullopt},
        {"12/05/", std::nullopt},
        {"//", std::nullopt},
        {"12-05-2015", std::nullopt},
    };
    for (const auto& [text, date] : dates) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseDate(text), date);
    }
    EXPECT_EQ(ParseTime("23:30"), TDateTime{EncodeTime(23, 30, 0, 0)});
    EXPECT_EQ(ParseTime("7:05:30"), TDateTime{EncodeTime(7, 5, 30, 0)});
    EXPECT_EQ(ParseTime("24:00"), std::nullopt);
    EXPECT_EQ(ParseTime(":"), std::nullopt);
    EXPECT_EQ(ParseDateTime("12/05/2015 10:30"), TDateTime{EncodeDate(2015, 5, 12).Days + EncodeTime(10, 30, 0, 0)});
}
