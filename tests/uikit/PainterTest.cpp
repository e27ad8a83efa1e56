#include "QZ_GRADIENT.h"
#include "QZ_GRAPHICS.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

TColor ColorAt(const QImage& image, int x, int y) {
    return PixelToColor(reinterpret_cast<const TPixel*>(image.constScanLine(y))[x]);
}

// A painter with the black scheme and a top-to-bottom gradient, so the first
// and last row of each band show that band's start and end colours.
class PainterTest : public testing::Test {
protected:
    PainterTest() {
        artistic.SetColorScheme(tcPreto);
        artistic.GradientType = gtLinearV;
        artistic.BorderWidth = 1;
    }
    TQZArtistic artistic;
    QImage canvas{40, 20, QImage::Format_RGB32};
};

constexpr TColor kBehind = 0x00FF00;

}  // namespace

TEST_F(PainterTest, RectangularFaceHasBorderBandAndSelectionBandOnlyWhenActive) {
    struct Case {
        TQZPaintState state;
        bool band;
    };
    const Case cases[] = {{stNormal, false}, {stFocus, true},     {stHot, true},
                          {stDown, true},    {stDisabled, false}, {stHotPlain, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.state));
        const TQZColors& colors = artistic.ColorsOf(c.state);
        artistic.PaintRect(canvas, c.state);
        EXPECT_EQ(ColorAt(canvas, 20, 0), colors.BorderColorStart);
        EXPECT_EQ(ColorAt(canvas, 20, 19), colors.BorderColorEnd);
        const int face = c.band ? 2 : 1;
        if (c.band) {
            EXPECT_EQ(ColorAt(canvas, 20, 1), colors.SelColorStart);
            EXPECT_EQ(ColorAt(canvas, 20, 18), colors.SelColorEnd);
        }
        EXPECT_EQ(ColorAt(canvas, 20, face), colors.GradientColorStart);
        EXPECT_EQ(ColorAt(canvas, 20, 19 - face), colors.GradientColorEnd);
    }
    EXPECT_EQ(artistic.ColorsOf(stHotPlain), artistic.HotColors);
}

TEST_F(PainterTest, WideBorderBandNarrowsTheFace) {
    artistic.BorderWidth = 3;
    artistic.PaintRect(canvas, stNormal);
    EXPECT_EQ(ColorAt(canvas, 20, 3), artistic.NormalColors.GradientColorStart);
    EXPECT_EQ(ColorAt(canvas, 2, 10) == artistic.NormalColors.GradientColorStart, false);
    artistic.BorderWidth = 30;  // wider than the control: only the border band shows
    artistic.PaintRect(canvas, stHot);
    EXPECT_EQ(ColorAt(canvas, 20, 0), artistic.HotColors.BorderColorStart);
}

TEST_F(PainterTest, RoundedFaceClearsCornersOutsideItsOutline) {
    for (TQZPaintState state : {stNormal, stHot}) {
        SCOPED_TRACE(int(state));
        const TQZColors& colors = artistic.ColorsOf(state);
        canvas.fill(Qt::red);
        artistic.PaintRounded(canvas, state, kBehind);
        for (auto [x, y] : {std::pair{0, 0}, {39, 0}, {0, 19}, {39, 19}, {1, 0}, {0, 1}}) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            EXPECT_EQ(ColorAt(canvas, x, y), kBehind);
        }
        EXPECT_EQ(ColorAt(canvas, 20, 0), colors.BorderColorEnd);
        EXPECT_EQ(ColorAt(canvas, 0, 10), colors.BorderColorEnd);
        EXPECT_EQ(ColorAt(canvas, 39, 10), colors.BorderColorEnd);
        EXPECT_EQ(ColorAt(canvas, 20, 19), colors.BorderColorEnd);
        if (state == stHot) {
            EXPECT_EQ(ColorAt(canvas, 20, 1), colors.SelColorStart);
        }
        // Nothing inside the outline takes the colour behind the control.
        for (int y = 4; y < 16; ++y)
            for (int x = 4; x < 36; ++x)
                ASSERT_NE(ColorAt(canvas, x, y), kBehind) << x << "," << y;
    }
}

TEST(ImageMaskTest, EffectsUseTheCornerPixelAsSeeThroughColour) {
    struct Case {
        TQZImageMask mask;
        int x, y;
        TColor expected;
    };
    // A 4 x 4 glyph: corner 0000FF, the rest 204080.
    const Case cases[] = {
        {0, 1, 0, 0x204080},
        {imAqua, 0, 0, 0x0000FF},
        {imAqua, 1, 1, 0x0000FF},
        {imAqua, 1, 0, 0x204080},
        {imAqua, 2, 1, 0x204080},
        {ImDrawCut, 2, 2, 0x0000FF},
        {ImDrawCut, 3, 2, 0x0000FF},
        {ImDrawCut, 1, 2, 0x204080},
        {ImDrawCut, 2, 3, 0x204080},
        {imGrayScale, 1, 0, 0x4B4B4B},
        {imGrayScale, 0, 0, 0x555555},
        {imGrayScale | imAqua, 1, 1, 0x555555},
        {imGrayScale | imAqua, 2, 1, 0x4B4B4B},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << c.mask << " at " << c.x << "," << c.y);
        QImage glyph(4, 4, QImage::Format_RGB32);
        glyph.fill(QColor(0x80, 0x40, 0x20));
        glyph.setPixel(0, 0, qRgb(0xFF, 0, 0));
        ApplyImageMask(c.mask, glyph);
        EXPECT_EQ(ColorAt(glyph, c.x, c.y), c.expected);
    }
}

TEST(ImageMaskTest, GrayColourIsTheRoundedMeanOfTheChannels) {
    struct Case {
        TColor in, out;
    };
    const Case cases[] = {
        {0x000000, 0x000000}, {0xFFFFFF, 0xFFFFFF}, {0x0000FF, 0x555555}, {0x1F140A, 0x141414}, {0x000101, 0x010101}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(GrayColor(c.in), c.out);
    }
}

TEST(AlignedTextTest, CaptionStandsWhereItsAlignmentSays) {
    struct Case {
        TQZHorzAlign h;
        TQZVertAlign v;
        QSize text;
        QPoint origin;
    };
    // A 100 x 30 rectangle with margin 1: the inner area runs from 1 to 99 and 1 to 29.
    const Case cases[] = {
        {haCenter, vaCenter, {40, 13}, {30, 9}},  // 15 / 2 = 7.5 rounds to 8
        {haCenter, vaCenter, {41, 15}, {29, 7}},  // 57 / 2 = 28.5 rounds to 28, 13 / 2 = 6.5 to 6
        {haLeft, vaTop, {40, 13}, {2, 1}},
        {haRight, vaBottom, {40, 13}, {58, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.h) << "/" << int(c.v) << " " << c.text.width());
        EXPECT_EQ(AlignedTextOrigin(QRect(0, 0, 100, 30), c.h, c.v, 1, c.text), c.origin);
    }
}

TEST(AlignedTextTest, TextIsClippedToTheInnerArea) {
    QImage canvas(60, 20, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setPen(Qt::black);
        DrawAlignedText(painter, QRect(10, 0, 20, 20), haLeft, vaCenter, 2, QStringLiteral("WWWWWWWWWWWWWWWW"));
    }
    bool inked = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool ink = ColorAt(canvas, x, y) != 0xFFFFFF;
            if (x < 12 || x >= 28 || y < 2 || y >= 18) {
                ASSERT_FALSE(ink) << x << "," << y;
            }
            inked = inked || ink;
        }
    EXPECT_TRUE(inked);
}
