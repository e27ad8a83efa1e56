#include "EditFormat.h"

#include "FixedClock.h"

#include <gtest/gtest.h>

TEST(EditFormat, EachStyleInstallsItsFormatsAndMask) {
    struct Case {
        TQZEditStyles style;
        const char* editFormat;
        const char* editDisplay;
        const char* mask;
    };
    const Case cases[] = {
        {esText, "", "", ""},
        {esDate, "DD/MM/YYYY", "DD/MM/YYYY", "!99/99/9999;1; "},
        {esTime, "HH:NN", "HH:NN", "!99:99;1; "},
        {esCurrency, "0.##", "", ""},
        {esPercent, "0.##", "0.00 %;-0.00%", ""},
        {esGeneralNumeric, "0.##", "0.00", ""},
        {esInteger, "0", "0", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        const TEditStyleFormats formats = DefaultFormats(c.style);
        EXPECT_STREQ(formats.EditFormat, c.editFormat);
        EXPECT_STREQ(formats.EditDisplay, c.editDisplay);
        EXPECT_EQ(InputMaskFor(c.style, formats.EditFormat), c.mask);
    }
    EXPECT_EQ(InputMaskFor(esDate, "DD/MM/YY HH:NN"), "!99/99/99 99:99;1; ");
    EXPECT_EQ(InputMaskFor(esDate, "dd/mm/yyyy"), "!dd/mm/yyyy;1; ");  // only upper case letters
}

TEST(EditFormat, TranslatesMasksToQtNotation) {
    EXPECT_EQ(QtInputMask("!99/99/9999;1; "), "00/00/0000; ");
    EXPECT_EQ(QtInputMask("!99:99;1; "), "00:00; ");
    EXPECT_EQ(QtInputMask("!dd/9;1;_"), "\\d\\d/0;_");
    EXPECT_EQ(QtInputMask(""), "");
}

TEST(EditFormat, ShowsValuesInTheFormatOfTheFocus) {
    const TDateTime date = EncodeDate(2015, 2, 1);
    struct Case {
        TQZEditStyles style;
        bool focused;
        TEditValue value;
        const char* text;
    };
    const Case cases[] = {
        {esInteger, false, 9200.0, "9200"},
        {esInteger, true, TEditValue{}, "0"},
        {esCurrency, true, 1234.5, "1234,5"},
        {esCurrency, false, 1234.5, "R$ 1.234,50"},
        {esCurrency, false, TEditValue{}, "R$ 0,00"},
        {esPercent, false, 12.5, "12,50 %"},
        {esPercent, false, -12.5, "-12,50%"},
        {esGeneralNumeric, false, 0.125, "0,13"},
        {esGeneralNumeric, true, Windows1252Text("12,5"), "12,5"},
        {esGeneralNumeric, true, Windows1252Text("abc"), "0"},  // unreadable text shows as null
        {esDate, false, date, "01/02/2015"},
        {esDate, false, TDateTime{0}, ""},  // 0 is no date
        {esDate, false, 0.0, ""},
        {esDate, true, TEditValue{}, ""},
        {esTime, false, TDateTime{EncodeDate(2015, 2, 1).Days + 0.5}, "12:00"},
        {esText, false, Windows1252Text("ol\xE1"), "ol\xE1"},
        {esText, false, TEditValue{}, ""},
        {esText, false, 12.5, "12,5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TEditStyleFormats formats = DefaultFormats(c.style);
        EXPECT_EQ(FormatValue(c.style, c.focused ? formats.EditFormat : formats.EditDisplay, c.focused, c.value),
                  c.text);
    }
}

TEST(EditFormat, ReadsTheKeptCharactersBackIntoValues) {
    FixedClock clock(EncodeDate(2026, 6, 1));
    struct Case {
        TQZEditStyles style;
        const char* text;
        TEditValue value;
    };
    const Case cases[] = {
        {esInteger, "9200", 9200.0},
        {esInteger, "12-3", TEditValue{}},
        {esInteger, "", TEditValue{}},
        {esInteger, "9.200", 9200.0},  // the thousands separator is dropped
        {esCurrency, "R$ 1.234,56", 1234.56},
        {esCurrency, "-R$ 0,50", -0.5},
        {esPercent, "12,50 %", 12.5},
        {esGeneralNumeric, "abc", TEditValue{}},
        {esDate, "01/02/2015", EncodeDate(2015, 2, 1)},
        {esDate, "  /  /    ", TEditValue{}},
        {esDate, "31/02/2015", TEditValue{}},
        {esTime, "23:30", TDateTime{EncodeTime(23, 30, 0, 0)}},
        {esTime, "  :  ", TEditValue{}},
        {esText, " as typed ", Windows1252Text(" as typed ")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextToValue(c.style, c.text), c.value);
    }
}

TEST(EditFormat, ReadsIntegersFromTheValueOrElseFromTheText) {
    EXPECT_EQ(ValueAsInteger(esInteger, TEditValue{}, "123"), 0);
    EXPECT_EQ(ValueAsInteger(esInteger, 9200.0, ""), 9200);
    EXPECT_EQ(ValueAsInteger(esInteger, Windows1252Text("9201"), ""), 9201);
    EXPECT_EQ(ValueAsInteger(esInteger, Windows1252Text("x"), "9.202"), 9202);
    EXPECT_EQ(ValueAsInteger(esInteger, Windows1252Text("x"), "x"), 0);
    EXPECT_EQ(ValueAsInteger(esInteger, 1e12, ""), 0);
    EXPECT_EQ(ValueAsInteger(esGeneralNumeric, 2.5, ""), 2);  // ties to even
}
