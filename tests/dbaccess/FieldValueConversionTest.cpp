#include "DatabaseError.h"
#include "FieldValue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <type_traits>

// A database text is Windows-1252: an untyped string is neither stored nor
// read as one.
static_assert(!std::is_constructible_v<FieldValue, std::string>);
static_assert(!std::is_constructible_v<FieldValue, const char*>);
static_assert(std::is_same_v<decltype(FieldValue().AsText()), Windows1252Text>);

TEST(FieldValueConversionTest, NumbersConvertToEachOtherOnTheGrid) {
    struct Case {
        FieldValue value;
        std::int64_t integer;
        std::int64_t raw;
    };
    const Case cases[] = {
        {FieldValue(), 0, 0},
        {FieldValue(7), 7, 70000},
        {FieldValue(FieldValue::Decimal{250, 2}), 2, 25000},  // 2.50: ties to even
        {FieldValue(FieldValue::Decimal{350, 2}), 4, 35000},
        {FieldValue(FieldValue::Decimal{-1234567, 6}), -1, -12346},
        {FieldValue(0.1), 0, 1000},
        {FieldValue(Windows1252Text("12.5")), 12, 125000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.AsText().Bytes());
        EXPECT_EQ(c.value.AsInteger(), c.integer);
        EXPECT_EQ(c.value.AsFixed().Raw(), c.raw);
    }
}

// Switches the program's locale for the life of the object.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name)
        : previous_(std::setlocale(LC_ALL, nullptr)), installed_(std::setlocale(LC_ALL, name) != nullptr) {}
    ~ScopedLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool Installed() const { return installed_; }

private:
    std::string previous_;
    bool installed_;
};

TEST(FieldValueConversionTest, TextReadsTheSameUnderAnyLocale) {
    // Its decimal separator is a comma; the text of a value keeps the point.
    const ScopedLocale brazilian("pt_BR.UTF-8");
    if (!brazilian.Installed())
        GTEST_SKIP() << "locale pt_BR.UTF-8 is not installed (scripts/install-deps.sh generates it)";
    EXPECT_EQ(FieldValue(Windows1252Text("1.5")).AsFixed().Raw(), 15000);
    EXPECT_THROW(FieldValue(Windows1252Text("1,5")).AsFixed(), DatabaseError);
}

TEST(FieldValueConversionTest, TextThatIsNoNumberIsRefused) {
    EXPECT_THROW(FieldValue(Windows1252Text("1,5")).AsFixed(), DatabaseError);
    EXPECT_THROW(FieldValue(Windows1252Text("")).AsInteger(), DatabaseError);
    EXPECT_THROW(FieldValue(SqlDate{2014, 12, 9}).AsInteger(), DatabaseError);
}

TEST(FieldValueConversionTest, DatesReadAsDayNumbersAndText) {
    const FieldValue date(SqlDate{2014, 12, 9});
    EXPECT_EQ(date.AsNumber(), 41982.0L);
    EXPECT_EQ(FieldValue(SqlTime{12, 0, 0, 0}).AsNumber(), 0.5L);
    EXPECT_EQ(date.AsText(), Windows1252Text("2014-12-09"));
    EXPECT_EQ(FieldValue(FieldValue::Decimal{-5, 2}).AsText(), Windows1252Text("-0.05"));
    EXPECT_THROW(FieldValue(7).AsDate(), DatabaseError);
}
