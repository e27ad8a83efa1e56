#include "QZ_EDIT.h"

#include "FixedClock.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

// A shown window with the box under test and another box to move the focus
// to, so focus changes happen as they do for the operator.
class EditBoxTest : public testing::Test {
protected:
    void SetUp() override {
        box = new TQZControlEdit(&window);
        box->setGeometry(10, 10, 120, 24);
        other = new QLineEdit(&window);
        other->setGeometry(10, 50, 120, 24);
        window.resize(200, 100);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }

    void Enter() {
        box->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(box->hasFocus());
    }
    void Leave() {
        other->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(box->hasFocus());
    }
    void Type(const char* keys) { QTest::keyClicks(box, keys); }
    std::string Shown() const { return box->Text().Bytes(); }

    QWidget window;
    TQZControlEdit* box = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(EditBoxTest, IntegerBoxShowsItsValueAndDropsLetters) {
    box->SetEditStyle(esInteger);
    box->SetValue(9200.0);
    EXPECT_EQ(Shown(), "9200");

    box->SetValue({});
    EXPECT_EQ(box->AsInteger(), 0);
    Enter();
    box->clear();
    Type("92a0");
    EXPECT_EQ(Shown(), "920");
    Leave();
    EXPECT_EQ(box->Value(), TEditValue(920.0));
    EXPECT_EQ(box->AsInteger(), 920);
}

TEST_F(EditBoxTest, UnreadableTextBecomesNullAndShowsZero) {
    box->SetEditStyle(esInteger);
    Enter();
    Type("12-3");
    Leave();
    EXPECT_TRUE(IsNull(box->Value()));
    EXPECT_EQ(Shown(), "0");
    EXPECT_EQ(box->AsInteger(), 0);
}

TEST_F(EditBoxTest, SkipRefreshKeepsTheTextAsTyped) {
    box->SetEditStyle(esInteger);
    Enter();
    Type("0012");
    box->SkipRefresh = true;
    box->SetValue(TEditValue(box->Text()));
    box->SkipRefresh = false;
    EXPECT_EQ(Shown(), "0012");
    EXPECT_EQ(box->AsInteger(), 12);
}

TEST_F(EditBoxTest, NumbersSwitchBetweenEditingAndDisplayFormats) {
    struct Case {
        TQZEditStyles style;
        double value;
        const char* display;
        const char* editing;
    };
    const Case cases[] = {
        {esPercent, 12.5, "12,50 %", "12,5"},
        {esCurrency, 1234.5, "R$ 1.234,50", "1234,5"},
        {esGeneralNumeric, 2, "2,00", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.display);
        box->SetEditStyle(c.style);
        box->SetValue(c.value);
        EXPECT_EQ(Shown(), c.display);
        Enter();
        EXPECT_EQ(Shown(), c.editing);
        Leave();
        EXPECT_EQ(Shown(), c.display);
        EXPECT_EQ(box->Value(), TEditValue(c.value));
    }
}

TEST_F(EditBoxTest, DateStyleBringsMaskAndButtonAndTextStyleTakesThemAway) {
    box->SetEditStyle(esDate);
    EXPECT_EQ(box->EditFormat(), "DD/MM/YYYY");
    EXPECT_EQ(box->EditDisplay(), "DD/MM/YYYY");
    EXPECT_EQ(box->EditMask(), "!99/99/9999;1; ");
    ASSERT_NE(box->AuxButton(), nullptr);
    EXPECT_EQ(box->AuxButton()->text(), "...");
    EXPECT_EQ(box->AuxButton()->focusPolicy(), Qt::NoFocus);

    Enter();
    Type("01022015");
    EXPECT_EQ(Shown(), "01/02/2015");
    Leave();
    EXPECT_EQ(box->Value(), TEditValue(EncodeDate(2015, 2, 1)));
    EXPECT_EQ(box->SavedMask(), "!99/99/9999;1; ");

    box->SetEditStyle(esText);
    EXPECT_EQ(box->AuxButton(), nullptr);
    EXPECT_EQ(box->EditMask(), "");
    // The date mask put aside on leaving must not come back to a text box.
    Enter();
    box->clear();
    Type("abc");
    EXPECT_EQ(Shown(), "abc");
    EXPECT_EQ(box->EditMask(), "");
}

TEST_F(EditBoxTest, PopupMenuOverTheBoxLeavesTheTypingAsItIs) {
    box->SetEditStyle(esDate);
    Enter();
    box->setCursorPosition(0);
    Type("0503");
    QMenu menu(box);
    menu.addAction("Colar");
    menu.popup(box->mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(menu.isVisible());
    menu.close();
    EXPECT_EQ(Shown(), "05/03/");
    EXPECT_EQ(box->EditMask(), "!99/99/9999;1; ");
    Type("2015");
    Leave();
    EXPECT_EQ(box->Value(), TEditValue(EncodeDate(2015, 3, 5)));
}

TEST_F(EditBoxTest, DateKeysSetTodayAndStepByDays) {
    const FixedClock clock(TDateTime{EncodeDate(2015, 3, 10).Days + 0.75});
    box->SetEditStyle(esDate);
    box->SetValue(TDateTime{0});
    EXPECT_FALSE(box->HasValue());
    Enter();
    Leave();
    EXPECT_EQ(Shown(), "");

    Enter();
    Type("+");
    EXPECT_EQ(box->Value(), TEditValue(EncodeDate(2015, 3, 11)));
    EXPECT_EQ(Shown(), "11/03/2015");
    Type("++-");
    EXPECT_EQ(Shown(), "12/03/2015");
    Type("t");
    EXPECT_EQ(box->Value(), TEditValue(EncodeDate(2015, 3, 10)));
    Type("x");  // letters are dropped in date boxes
    EXPECT_EQ(Shown(), "10/03/2015");

    box->setReadOnly(true);
    Type("+");
    EXPECT_EQ(Shown(), "10/03/2015");
}

TEST_F(EditBoxTest, TimeKeysStepByHoursPastMidnight) {
    const FixedClock clock(TDateTime{EncodeDate(2015, 3, 10).Days + EncodeTime(8, 15, 0, 0)});
    box->SetEditStyle(esTime);
    box->SetValue(TDateTime{EncodeTime(23, 30, 0, 0)});
    Enter();
    Type("+");
    EXPECT_EQ(Shown(), "00:30");
    // The day part grows; the value is not wrapped to one day.
    EXPECT_NEAR(std::get<TDateTime>(box->Value()).Days, 1 + EncodeTime(0, 30, 0, 0), 1e-9);
    Type("T");
    EXPECT_EQ(Shown(), "08:15");
    box->SetValue({});
    Type("-");
    EXPECT_EQ(Shown(), "07:15");
}

TEST_F(EditBoxTest, TextBoxesKeepEveryKey) {
    Enter();
    Type("Tt+-x");
    EXPECT_EQ(Shown(), "Tt+-x");
    Leave();
    EXPECT_EQ(box->Value(), TEditValue(Windows1252Text("Tt+-x")));
}
