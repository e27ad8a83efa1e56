#include "QZ_BUTTON.h"
#include "QZ_GRADIENT.h"
#include "QZ_THEME.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TColor ColorAt(const QImage& image, int x, int y) { return PixelToColor(image.pixel(x, y)); }

bool Shows(const QImage& image, TColor color) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ColorAt(image, x, y) == color)
                return true;
    return false;
}

QImage Picture(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

void Hover(QWidget& widget) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&widget, &enter);
}

// A shown window with a theme whose faces run top to bottom, so the first
// row of each band shows that band's start colour.
class ThemedWindowTest : public testing::Test {
protected:
    ThemedWindowTest() {
        theme.SetThemeColors(tcVerde);
        theme.SetGradientType(gtLinearV);
        window.resize(300, 200);
        button.setGeometry(10, 10, 100, 30);
        button.SetTheme(&theme);
        button.SetCaption(QStringLiteral("Gravar"));
        window.show();
    }
    TQZTheme theme;
    QDialog window;
    TQZButton button{&window};
};

}  // namespace

TEST(ButtonLayoutTest, GlyphAndCaptionStandApartByTheBorderWidth) {
    struct Case {
        TQZGlyphPos pos;
        QSize text;
        bool caption;
        bool pressed;
        QPoint textAt, glyphAt;
    };
    // A 100 x 30 button, a 16 x 16 glyph, border width 1, caption 40 x 14.
    const Case cases[] = {
        {gpLeft, {40, 14}, true, false, {38, 8}, {21, 7}},  {gpRight, {40, 14}, true, false, {22, 8}, {63, 7}},
        {gpTop, {40, 14}, true, false, {30, 16}, {42, -1}}, {gpBottom, {40, 14}, true, false, {30, 0}, {42, 15}},
        {gpLeft, {0, 0}, false, false, {58, 15}, {42, 7}},  {gpLeft, {40, 14}, true, true, {39, 9}, {22, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << int(c.pos) << (c.pressed ? " pressed" : ""));
        const TQZButtonLayout layout = PlaceButtonContent(c.pos, {100, 30}, c.text, {16, 16}, 1, c.caption, c.pressed);
        EXPECT_EQ(layout.Text, c.textAt);
        EXPECT_EQ(layout.Glyph, c.glyphAt);
    }
}

TEST(ButtonLayoutTest, WithoutGlyphTheCaptionIsCentred) {
    const TQZButtonLayout layout = PlaceButtonContent(gpTop, {75, 25}, {31, 15}, {}, 3, true, false);
    EXPECT_EQ(layout.Text, QPoint(22, 5));
}

TEST(ControlPaintTest, ButtonWithoutThemeIsAPlainRectangleWithItsOwnCaptionColour) {
    QWidget window;
    window.resize(120, 60);
    TQZButton button(&window);
    button.SetCaption(QStringLiteral("Sair"));
    button.SetFontColor(0x0000FF);
    button.SetColor(0xFFFFFF);
    const QImage picture = Picture(button);
    EXPECT_EQ(picture.size(), QSize(75, 25));
    EXPECT_EQ(ColorAt(picture, 0, 0), 0x000000u);
    EXPECT_EQ(ColorAt(picture, 74, 24), 0x000000u);
    EXPECT_EQ(ColorAt(picture, 3, 3), 0xFFFFFFu);
    EXPECT_TRUE(Shows(picture, 0x0000FF));
}

TEST_F(ThemedWindowTest, ButtonFaceFollowsMouseAndPressInRectangularStyle) {
    EXPECT_EQ(ColorAt(Picture(button), 50, 1), theme.NormalColors.GradientColorStart);
    Hover(button);
    QImage hot = Picture(button);
    EXPECT_EQ(ColorAt(hot, 50, 1), theme.HotColors.SelColorStart);
    EXPECT_EQ(ColorAt(hot, 50, 2), theme.HotColors.GradientColorStart);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_EQ(window.focusWidget(), &button);
    EXPECT_EQ(ColorAt(Picture(button), 50, 2), theme.DownColors.GradientColorStart);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_FALSE(button.Pressed());
}

TEST_F(ThemedWindowTest, RoundedButtonsKeepTheBackgroundInTheirCorners) {
    theme.RoundedButtons = true;
    button.SetColor(0x00FF00);
    for (bool hovered : {false, true}) {
        SCOPED_TRACE(hovered);
        if (hovered)
            Hover(button);
        const QImage picture = Picture(button);
        EXPECT_EQ(ColorAt(picture, 0, 0), 0x00FF00u);
        EXPECT_EQ(ColorAt(picture, 99, 29), 0x00FF00u);
        const TQZColors& colors = hovered ? theme.HotColors : theme.NormalColors;
        EXPECT_EQ(ColorAt(picture, 50, 0), colors.BorderColorEnd);
        EXPECT_EQ(ColorAt(picture, 50, 1) == colors.SelColorStart, hovered);
    }
}

TEST_F(ThemedWindowTest, PressedContentMovesOnePixelRightAndDown) {
    theme.SetThemeColors(tcPreto);
    theme.SetGradientType(gtLinearH);  // rows alike, so only the caption differs between rows
    Hover(button);
    const QImage hot = Picture(button);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 15));
    const QImage down = Picture(button);
    const TColor ink = theme.ObjectColors.ObjFontColor;
    for (int y = 3; y < 27; ++y)
        for (int x = 3; x < 97; ++x)
            ASSERT_EQ(ColorAt(hot, x, y) == ink, ColorAt(down, x + 1, y + 1) == ink) << x << "," << y;
    EXPECT_TRUE(Shows(hot, ink));
}

TEST_F(ThemedWindowTest, PanelShowsNormalColoursUnderTheMouseAndHotOnesOtherwise) {
    TQZPanel panel(&window);
    panel.setGeometry(0, 100, 200, 40);
    panel.SetTheme(&theme);
    panel.show();
    EXPECT_EQ(ColorAt(Picture(panel), 100, 1), theme.HotColors.GradientColorStart);
    Hover(panel);
    EXPECT_EQ(ColorAt(Picture(panel), 100, 1), theme.NormalColors.GradientColorStart);
    QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_NE(window.focusWidget(), &panel);
}

TEST_F(ThemedWindowTest, DisabledButtonKeepsItsFaceAndGreysItsCaptionAndGlyph) {
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(QColor(0xFF, 0x00, 0xFF));
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            glyph.setPixel(x, y, qRgb(0xFF, 0, 0));
    button.SetGlyph(glyph);
    button.SetGlyphMask(imGrayScale);
    button.setEnabled(false);
    const QImage picture = Picture(button);
    EXPECT_EQ(ColorAt(picture, 50, 1), theme.NormalColors.GradientColorStart);
    EXPECT_TRUE(Shows(picture, 0x808080));
    EXPECT_TRUE(Shows(picture, 0x555555));  // the red square, greyed
    EXPECT_FALSE(Shows(picture, 0x0000FF));
    EXPECT_FALSE(Shows(picture, 0xFF00FF));  // the see-through colour never shows
}

TEST_F(ThemedWindowTest, DefaultAndCancelButtonsAnswerEnterAndEsc) {
    TQZButton cancel(&window);
    cancel.SetCancel(true);
    cancel.show();
    button.SetDefault(true);
    int clicks = 0, cancels = 0;
    QObject::connect(&button, &TQZButton::clicked, [&] { ++clicks; });
    QObject::connect(&cancel, &TQZButton::clicked, [&] { ++cancels; });

    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        int clicks, cancels;
        bool taken;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 1, 0, true}, {Qt::Key_Enter, Qt::ShiftModifier, 1, 0, true},
        {Qt::Key_Escape, Qt::NoModifier, 0, 1, true}, {Qt::Key_Escape, Qt::ControlModifier, 0, 0, false},
        {Qt::Key_A, Qt::NoModifier, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        clicks = cancels = 0;
        QKeyEvent key(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(SendDialogKey(&window, key), c.taken);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(cancels, c.cancels);
    }

    cancel.hide();
    button.setEnabled(false);
    cancels = clicks = 0;
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_FALSE(SendDialogKey(&window, esc));
    EXPECT_FALSE(SendDialogKey(&window, enter));
    EXPECT_EQ(cancels + clicks, 0);
}

TEST_F(ThemedWindowTest, FocusedButtonTakesEnterAndSpace) {
    TQZButton other(&window);
    other.SetDefault(true);
    other.show();
    int clicks = 0, otherClicks = 0;
    QObject::connect(&button, &TQZButton::clicked, [&] { ++clicks; });
    QObject::connect(&other, &TQZButton::clicked, [&] { ++otherClicks; });
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(otherClicks, 0);
}

TEST_F(ThemedWindowTest, AcceleratorLetterClicksAnEnabledButton) {
    button.SetCaption(QStringLiteral("&Gravar"));
    int clicks = 0;
    QObject::connect(&button, &TQZButton::clicked, [&] { ++clicks; });
    QKeyEvent g(QEvent::KeyPress, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    QKeyEvent r(QEvent::KeyPress, Qt::Key_R, Qt::AltModifier, QStringLiteral("r"));
    EXPECT_TRUE(SendDialogKey(&window, g));
    EXPECT_FALSE(SendDialogKey(&window, r));
    button.setEnabled(false);
    EXPECT_FALSE(SendDialogKey(&window, g));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ThemedWindowTest, ClickHandsTheModalResultToTheDialogBeforeItsHandlerRuns) {
    button.SetModalResult(7);
    int seen = -1;
    QObject::connect(&button, &TQZButton::clicked, [&] { seen = window.result(); });
    QTimer::singleShot(0, &button, [&] { QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(50, 15)); });
    EXPECT_EQ(window.exec(), 7);
    EXPECT_EQ(seen, 7);
}

TEST_F(ThemedWindowTest, ClickWithModalResultZeroLeavesTheDialogOpen) {
    TQZButton closer(&window);
    closer.SetModalResult(3);
    closer.show();
    int clicks = 0;
    QObject::connect(&button, &TQZButton::clicked, [&] {
        ++clicks;
        EXPECT_TRUE(window.isVisible());
        closer.Click();
    });
    QTimer::singleShot(0, &button, [&] { button.Click(); });
    EXPECT_EQ(window.exec(), 3);
    EXPECT_EQ(clicks, 1);
}
