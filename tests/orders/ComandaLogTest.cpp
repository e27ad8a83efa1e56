// The audit-log statement text.
#include "ComandaLog.h"

#include <gtest/gtest.h>

TEST(ComandaLogTest, StatementCarriesTheNineArgumentsInOrder)
{
    ComandaLogEntry entry;
    entry.date = {2014, 12, 9};
    entry.time = {21, 7, 5, 0};
    entry.number = 12;
    entry.quantity = FixedPoint::FromRaw(35000);
    entry.total = FixedPoint::FromRaw(479000);
    entry.message = "comanda aberta no microterminal";
    entry.client = "D'ELIA";
    EXPECT_EQ(ComandaLogStatement(entry),
              "EXECUTE PROCEDURE SP_ADDCOMANDALOG('12/09/2014','21:07:05',12,3.5,47.9,0,"
              "'COMANDA ABERTA NO MICROTERMINAL','D''ELIA','MICROTERMINAL')");
}

TEST(ComandaLogTest, DecimalsHaveAtMostTwoPlacesWithoutTrailingZeros)
{
    struct Case { std::int64_t raw; const char* text; };
    const Case cases[] = {
        {35000, "3.5"}, {120000, "12"}, {2500, "0.25"}, {0, "0"},
        {12345, "1.23"}, {12350, "1.24"}, {12250, "1.22"}, {-15000, "-1.5"}, {-50, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(LogDecimal(FixedPoint::FromRaw(c.raw)), c.text);
    }
}

TEST(ComandaLogTest, UpperCaseCoversAccentedLetters)
{
    EXPECT_EQ(Windows1252UpperCase("a\xE7\xE3o \xE9 \xF7 \xFF"), "A\xC7\xC3O \xC9 \xF7 \x9F");
}
