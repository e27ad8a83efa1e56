// The audit-log entry's parameters.
#include "ComandaLog.h"

#include <gtest/gtest.h>

TEST(ComandaLogTest, ParametersCarryTheNineArguments) {
    ComandaLogEntry entry;
    entry.date = {2014, 12, 9};
    entry.time = {21, 7, 5, 1234};
    entry.number = 12;
    entry.quantity = FixedPoint::FromRaw(35000);
    entry.total = FixedPoint::FromRaw(479000);
    entry.message = "comanda aberta no microterminal";
    entry.client = Windows1252Text("D'ELIA");
    const SqlParameters expected = {
        {"DATA", SqlDate{2014, 12, 9}},
        {"HORA", SqlTime{21, 7, 5, 0}},
        {"NUMERO", 12},
        {"QTDE", FieldValue::Decimal{350, 2}},
        {"TOTAL", FieldValue::Decimal{4790, 2}},
        {"PDV", 0},
        {"MENSAGEM", Windows1252Text("COMANDA ABERTA NO MICROTERMINAL")},
        {"CLIENTE", Windows1252Text("D'ELIA")},
        {"ORIGEM", Windows1252Text("MICROTERMINAL")},
    };
    EXPECT_EQ(ComandaLogParameters(entry), expected);
}

TEST(ComandaLogTest, QuantityAndTotalHaveTwoDecimalPlaces) {
    struct Case {
        std::int64_t raw;
        std::int64_t hundredths;
    };
    const Case cases[] = {
        {35000, 350}, {120000, 1200}, {2500, 25},     {0, 0},   {12345, 123},
        {12350, 124}, {12250, 122},   {-15000, -150}, {-50, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        ComandaLogEntry entry;
        entry.quantity = entry.total = FixedPoint::FromRaw(c.raw);
        const SqlParameters parameters = ComandaLogParameters(entry);
        EXPECT_EQ(parameters.at("QTDE"), (FieldValue::Decimal{c.hundredths, 2}));
        EXPECT_EQ(parameters.at("TOTAL"), (FieldValue::Decimal{c.hundredths, 2}));
    }
}
