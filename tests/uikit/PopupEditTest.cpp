#include "QZ_FORM_POPUPEDIT.h"

#include "FixedClock.h"
#include "QZ_EDIT.h"
#include "QZ_THEME.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QToolButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

class PopupEditTest : public testing::Test {
protected:
    void SetUp() override {
        box = new TQZControlEdit(&window);
        box->setGeometry(10, 10, 140, 24);
        box->SetEditStyle(esDate);
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    TFrmPopupEdit* Open(TDateTime date) {
        box->SetValue(date);
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        popup = OpenPopup();
        return popup;
    }
    TFrmPopupEdit* OpenPopup() const {
        return box->findChild<TFrmPopupEdit*>("FrmPopupEdit", Qt::FindDirectChildrenOnly);
    }
    QString Caption(const char* name) const {
        if (auto* label = popup->findChild<QLabel*>(name))
            return label->text();
        return popup->findChild<QToolButton*>(name)->text();
    }
    QTableWidget* Grid() const { return popup->findChild<QTableWidget*>("Grid"); }
    void Key(Qt::Key key) { QTest::keyClick(Grid(), key); }
    void Click(int row, int column) {
        const QRect cell = Grid()->visualRect(Grid()->model()->index(row, column));
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    const FixedClock clock{EncodeDate(2015, 1, 20)};
    QWidget window;
    TQZControlEdit* box = nullptr;
    QPointer<TFrmPopupEdit> popup;
};

TEST_F(PopupEditTest, OpensOnTheBoxDateWithMonthCaptions) {
    ASSERT_NE(Open(EncodeDate(2015, 1, 31)), nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->parentWidget(), box);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 1, 31));
    EXPECT_EQ(Caption("PnMes"), "JANEIRO/2015");
    EXPECT_EQ(Caption("BtnMes1"), "<< DEZ");
    EXPECT_EQ(Caption("BtnMes2"), "FEV >>");
    EXPECT_EQ(Caption("LblD1"), "dom");
    EXPECT_EQ(Caption("LblD7"), QString::fromUtf8("s\xC3\xA1"
                                                  "b"));
    EXPECT_EQ(Caption("PnDif"), "11 dia(s)");
    EXPECT_EQ(Caption("PnData"), "31/01/2015");
    EXPECT_EQ(popup->size(), QSize(292, 233));
}

TEST_F(PopupEditTest, OpensOnTodayWithoutADate) {
    ASSERT_NE(Open(TDateTime{0}), nullptr);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 1, 20));
    EXPECT_EQ(Caption("PnDif"), "0 dia(s)");
    popup->ShowMonth(EncodeDate(2015, 1, 19));
    EXPECT_EQ(Caption("PnDif"), "-1 dia(s)");
}

TEST_F(PopupEditTest, ArrowsCrossIntoTheNeighbouringMonths) {
    ASSERT_NE(Open(EncodeDate(2015, 1, 31)), nullptr);
    Key(Qt::Key_Right);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 1));
    EXPECT_EQ(Caption("PnMes"), "FEVEREIRO/2015");
    EXPECT_EQ(Grid()->currentRow(), 0);
    EXPECT_EQ(Grid()->currentColumn(), 0);
    EXPECT_EQ(Grid()->item(3, 6)->text(), "28");
    EXPECT_EQ(Grid()->item(4, 0), nullptr);

    popup->ShowMonth(EncodeDate(2015, 3, 1));
    Key(Qt::Key_Left);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 28));
    EXPECT_EQ(Grid()->currentRow(), 3);
    EXPECT_EQ(Grid()->currentColumn(), 6);
    Key(Qt::Key_Down);  // no day below: the selection stays
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 28));
    Key(Qt::Key_Up);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 21));
}

TEST_F(PopupEditTest, ClicksSelectDaysButNotEmptyCells) {
    ASSERT_NE(Open(EncodeDate(2015, 2, 10)), nullptr);
    Click(5, 3);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 10));
    EXPECT_EQ(Grid()->currentRow(), 1);
    EXPECT_EQ(Grid()->currentColumn(), 2);
    Click(2, 5);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 20));
}

TEST_F(PopupEditTest, DoubleClickWritesTheDayIntoTheBox) {
    ASSERT_NE(Open(EncodeDate(2015, 2, 10)), nullptr);
    // As the platform delivers it: a click, then the double-click.
    Click(3, 2);
    const QRect cell = Grid()->visualRect(Grid()->model()->index(3, 2));
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::qWait(0);
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(box->Value(), TEditValue(EncodeDate(2015, 2, 24)));
}

TEST_F(PopupEditTest, ClosesWhenAnotherWindowIsActivated) {
    ASSERT_NE(Open(EncodeDate(2015, 2, 10)), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(popup));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    QTest::qWait(0);
    EXPECT_TRUE(popup.isNull());
}

TEST_F(PopupEditTest, MonthButtonsAndStepMenusMoveTheDate) {
    ASSERT_NE(Open(EncodeDate(2015, 1, 31)), nullptr);
    const auto choose = [&](const char* menu, const QString& caption) {
        for (QAction* action : popup->findChild<QMenu*>(menu)->actions())
            if (action->text() == caption)
                action->trigger();
    };
    choose("PopMais", QString::fromUtf8("Incrementar 1 m\xC3\xAAs"));
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 28));
    choose("PopMenos", "Voltar 1 semana");
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 21));
    choose("PopMais", "Cancelar");
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 2, 21));
    QTest::mouseClick(popup->findChild<QToolButton*>("BtnMes2"), Qt::LeftButton);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 3, 21));
    QTest::mouseClick(popup->findChild<QToolButton*>("BtnMes1"), Qt::LeftButton);
    QTest::mouseClick(popup->findChild<QToolButton*>("BtnMes1"), Qt::LeftButton);
    EXPECT_EQ(popup->CurrentDate(), EncodeDate(2015, 1, 21));
}

TEST_F(PopupEditTest, ShowsTheHolidayOfTheDate) {
    ASSERT_NE(Open(EncodeDate(2015, 4, 5)), nullptr);
    EXPECT_EQ(Caption("PnData"), QString::fromUtf8("05/04/2015 P\xC3\xA1scoa"));
    Key(Qt::Key_Right);
    EXPECT_EQ(Caption("PnData"), "06/04/2015");
}

TEST_F(PopupEditTest, EnterWritesTheDateAndEscLeavesTheBoxAsItWas) {
    ASSERT_NE(Open(EncodeDate(2015, 1, 31)), nullptr);
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    QTest::qWait(0);
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(box->Value(), TEditValue(EncodeDate(2015, 2, 1)));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->Text(), Windows1252Text("01/02/2015"));

    ASSERT_NE(Open(EncodeDate(2015, 1, 31)), nullptr);
    Key(Qt::Key_Left);
    Key(Qt::Key_Escape);
    QTest::qWait(0);
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(box->Value(), TEditValue(EncodeDate(2015, 1, 31)));
}

TEST_F(PopupEditTest, LeavingTheDateStyleClosesAnOpenPopup) {
    ASSERT_NE(Open(EncodeDate(2015, 1, 31)), nullptr);
    box->SetEditStyle(esInteger);
    EXPECT_TRUE(popup.isNull());
}

TEST_F(PopupEditTest, ReadOnlyBoxOpensNothing) {
    popup = nullptr;
    box->setReadOnly(true);
    box->AuxButton()->click();
    EXPECT_EQ(OpenPopup(), nullptr);
}

TEST_F(PopupEditTest, ThemeColoursThePanels) {
    TQZTheme theme;
    theme.SetThemeColors(tcVermelho);
    box->SetTheme(&theme);
    ASSERT_NE(Open(EncodeDate(2015, 1, 31)), nullptr);
    const QPalette colors = popup->findChild<QLabel*>("PnMes")->palette();
    EXPECT_EQ(colors.color(QPalette::Window), QColor(0xAE, 0, 0));            // ObjSelColor 0000AE
    EXPECT_EQ(colors.color(QPalette::WindowText), QColor(0xFF, 0xC6, 0xC6));  // ObjSelFontColor C6C6FF
}

TEST(PopupPosition, GoesUnderTheBoxOrAboveNearTheBottom) {
    const QSize popup(292, 233);
    EXPECT_EQ(PopupPosition({400, 100}, {140, 24}, popup, 768), QPoint(400 + 140 - 292 - 2, 124));
    EXPECT_EQ(PopupPosition({10, 100}, {140, 24}, popup, 768), QPoint(0, 124));
    EXPECT_EQ(PopupPosition({400, 600}, {140, 24}, popup, 768), QPoint(246, 600 - 233));
}
