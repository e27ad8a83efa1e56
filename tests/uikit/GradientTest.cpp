#include "QZ_GRADIENT.h"
#include "QZ_GRAPHICS.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

// With black to white and no shift or rotation, entry i is the grey i, so a
// template pixel's blue byte is its palette index.
int IndexAt(const TGradientTemplate& t, int x, int y) { return static_cast<int>(t.At(x, y) & 0xFF); }

TColor ColorAt(const QImage& image, int x, int y) {
    return PixelToColor(reinterpret_cast<const TPixel*>(image.constScanLine(y))[x]);
}

}  // namespace

TEST(GradientTest, MulDivRoundsHalvesAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {255, 40, 100, 102}, {255, -40, 100, -102}, {200, 50, 100, 100}, {-200, 50, 100, -100},          {5, 1, 2, 3},
        {-5, 1, 2, -3},      {255, 100, 100, 255},  {7, 1, 3, 2},        {2000000000, 3, 4, 1500000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "*" << c.b << "/" << c.c);
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected);
    }
}

TEST(GradientTest, PlainPaletteRunsFromStartToEndTruncatingTowardZero) {
    // Blue falls from 200 to 0 while red rises from 0 to 200.
    const TGradientPalette p = BuildPalette(0xC80000, 0x0000C8, 0, 0);
    EXPECT_EQ(p[0], ColorToPixel(0xC80000));
    EXPECT_EQ(p[255], ColorToPixel(0x0000C8));
    // 128 * 200 / 255 = 100.39: red 0 + 100, blue 200 - 100 (not 99).
    EXPECT_EQ(PixelToColor(p[128]), MakeColor(100, 0, 100));
}

TEST(GradientTest, FullRotationEitherWayReversesThePalette) {
    for (int rotation : {100, -100}) {
        SCOPED_TRACE(rotation);
        const TGradientPalette p = BuildPalette(0x102030, 0xC0B0A0, 0, rotation);
        EXPECT_EQ(p[0], ColorToPixel(0xC0B0A0));
        EXPECT_EQ(p[255], ColorToPixel(0x102030));
    }
}

TEST(GradientTest, RotationFoldsThePaletteAtItsTurningEntry) {
    const TGradientPalette forth = BuildPalette(kBlack, kWhite, 0, 40);
    EXPECT_EQ(forth[0], ColorToPixel(kBlack));
    EXPECT_EQ(forth[153], ColorToPixel(kWhite));
    EXPECT_EQ(forth[255], ColorToPixel(kBlack));
    EXPECT_EQ(forth[76] & 0xFF, 126u);   // 76 * 255 / 153
    EXPECT_EQ(forth[204] & 0xFF, 127u);  // 51 * 255 / 102

    const TGradientPalette back = BuildPalette(kBlack, kWhite, 0, -40);
    EXPECT_EQ(back[0], ColorToPixel(kWhite));
    EXPECT_EQ(back[102], ColorToPixel(kBlack));
    EXPECT_EQ(back[255], ColorToPixel(kWhite));
    EXPECT_EQ(back[51] & 0xFF, 128u);  // 255 - 51 * 255 / 102
    EXPECT_EQ(back[103] & 0xFF, 2u);   // 255 - 152 * 255 / 153
}

TEST(GradientTest, ShiftMovesOneEndTowardTheOther) {
    const TGradientPalette up = BuildPalette(kBlack, 0xC8C8C8, 50, 0);
    EXPECT_EQ(up[0], ColorToPixel(0x646464));
    EXPECT_EQ(up[255], ColorToPixel(0xC8C8C8));
    const TGradientPalette down = BuildPalette(kBlack, 0xC8C8C8, -50, 0);
    EXPECT_EQ(down[0], ColorToPixel(kBlack));
    EXPECT_EQ(down[255], ColorToPixel(0x646464));
    // Percentages past 100 act as 100: the start lands on the end.
    EXPECT_EQ(BuildPalette(kBlack, 0xC8C8C8, 120, 0)[0], ColorToPixel(0xC8C8C8));
}

TEST(GradientTest, TemplatesHaveTheirFixedSizes) {
    const TGradientPalette p = BuildPalette(kBlack, kWhite, 0, 0);
    const int sizes[kGradientTypeCount][2] = {
        {362, 362}, {362, 181}, {362, 181}, {181, 362}, {181, 362}, {181, 181}, {181, 181}, {181, 181},
        {181, 181}, {256, 1},   {1, 256},   {1, 512},   {512, 1},   {128, 129}, {128, 129}, {256, 256},
        {256, 256}, {129, 256}, {129, 256}, {256, 129}, {256, 129}, {256, 256}, {256, 256}, {1, 256},
    };
    for (int type = 0; type < kGradientTypeCount; ++type) {
        SCOPED_TRACE(type);
        const TGradientTemplate t = RenderTemplate(static_cast<TQZGradientType>(type), p);
        EXPECT_EQ(t.Width, sizes[type][0]);
        EXPECT_EQ(t.Height, sizes[type][1]);
        EXPECT_EQ(t.Pixels.size(), static_cast<std::size_t>(t.Width) * t.Height);
    }
    EXPECT_TRUE(RenderTemplate(static_cast<TQZGradientType>(24), p).Pixels.empty());
}

TEST(GradientTest, TemplatePixelsTakeTheirShapesPaletteEntry) {
    struct Case {
        TQZGradientType type;
        int x, y, index;
    };
    const Case cases[] = {
        {gtRadialC, 180, 180, 0},      {gtRadialC, 181, 181, 0},     {gtRadialC, 0, 0, 255},
        {gtRadialC, 361, 361, 255},    {gtRadialC, 0, 180, 180},     {gtRadialC, 177, 185, 5},
        {gtRadialT, 180, 0, 0},        {gtRadialT, 181, 0, 0},       {gtRadialT, 0, 0, 180},
        {gtRadialT, 361, 180, 255},    {gtRadialB, 180, 180, 0},     {gtRadialB, 0, 180, 180},
        {gtRadialB, 181, 0, 180},      {gtRadialL, 0, 180, 0},       {gtRadialL, 0, 181, 0},
        {gtRadialL, 180, 0, 255},      {gtRadialR, 180, 180, 0},     {gtRadialR, 180, 181, 0},
        {gtRadialR, 0, 361, 255},      {gtRadialTL, 0, 0, 0},        {gtRadialTL, 3, 4, 5},
        {gtRadialTL, 1, 1, 1},         {gtRadialTL, 180, 180, 255},  {gtRadialTR, 180, 0, 0},
        {gtRadialTR, 0, 0, 180},       {gtRadialBL, 0, 180, 0},      {gtRadialBL, 0, 0, 180},
        {gtRadialBR, 180, 180, 0},     {gtRadialBR, 0, 0, 255},      {gtLinearH, 0, 0, 0},
        {gtLinearH, 255, 0, 255},      {gtLinearV, 0, 0, 0},         {gtLinearV, 0, 255, 255},
        {gtReflectedH, 0, 0, 255},     {gtReflectedH, 0, 255, 0},    {gtReflectedH, 0, 256, 0},
        {gtReflectedH, 0, 511, 255},   {gtReflectedV, 0, 0, 255},    {gtReflectedV, 255, 0, 0},
        {gtReflectedV, 256, 0, 0},     {gtReflectedV, 511, 0, 255},  {gtDiagonalLF, 0, 0, 0},
        {gtDiagonalLF, 127, 128, 255}, {gtDiagonalLB, 127, 0, 0},    {gtDiagonalLB, 0, 128, 255},
        {gtDiagonalRF, 0, 0, 255},     {gtDiagonalRF, 255, 0, 0},    {gtDiagonalRF, 255, 255, 255},
        {gtDiagonalRB, 0, 0, 0},       {gtDiagonalRB, 255, 0, 255},  {gtDiagonalRB, 0, 255, 255},
        {gtArrowL, 0, 0, 255},         {gtArrowL, 128, 127, 0},      {gtArrowL, 128, 128, 0},
        {gtArrowL, 0, 255, 255},       {gtArrowR, 0, 127, 0},        {gtArrowR, 128, 0, 255},
        {gtArrowR, 0, 128, 0},         {gtArrowR, 128, 255, 255},    {gtArrowU, 0, 0, 255},
        {gtArrowU, 127, 128, 0},       {gtArrowU, 128, 128, 0},      {gtArrowU, 255, 0, 255},
        {gtArrowD, 127, 0, 0},         {gtArrowD, 0, 128, 255},      {gtArrowD, 128, 0, 0},
        {gtArrowD, 255, 128, 255},     {gtDiamond, 0, 0, 255},       {gtDiamond, 127, 127, 1},
        {gtDiamond, 255, 0, 255},      {gtDiamond, 128, 127, 1},     {gtDiamond, 0, 255, 255},
        {gtDiamond, 127, 128, 1},      {gtDiamond, 255, 255, 255},   {gtDiamond, 128, 128, 1},
        {gtButterfly, 127, 0, 255},    {gtButterfly, 0, 127, 1},     {gtButterfly, 128, 0, 255},
        {gtButterfly, 255, 127, 1},    {gtButterfly, 0, 128, 0},     {gtButterfly, 127, 255, 254},
        {gtButterfly, 128, 128, 128},  {gtButterfly, 128, 255, 255}, {gtLight, 0, 0, 0},
        {gtLight, 0, 127, 127},        {gtLight, 0, 128, 255},       {gtLight, 0, 129, 254},
        {gtLight, 0, 130, 254},        {gtLight, 0, 255, 191},
    };
    const TGradientPalette p = BuildPalette(kBlack, kWhite, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "shape " << int(c.type) << " at " << c.x << "," << c.y);
        EXPECT_EQ(IndexAt(RenderTemplate(c.type, p), c.x, c.y), c.index);
    }
}

TEST(GradientTest, StretchingMapsEdgesOntoEdges) {
    struct Case {
        int target, targetSize, sourceSize, expected;
    };
    const Case cases[] = {
        {0, 100, 256, 0}, {99, 100, 256, 255}, {50, 100, 256, 129}, {0, 1, 256, 0},
        {5, 10, 1, 0},    {3, 512, 512, 3},    {1, 3, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target << " of " << c.targetSize << " from " << c.sourceSize);
        EXPECT_EQ(NearestSource(c.target, c.targetSize, c.sourceSize), c.expected);
    }
}

TEST(GradientTest, LinearFillShowsStartAtLeftAndEndAtRight) {
    TQZArtistic artistic;
    artistic.GradientType = gtLinearH;
    QImage canvas(100, 20, QImage::Format_RGB32);
    artistic.FillGradient(canvas, canvas.rect(), 0x102030, 0xC0B0A0);
    for (int y : {0, 10, 19}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(ColorAt(canvas, 0, y), 0x102030u);
        EXPECT_EQ(ColorAt(canvas, 99, y), 0xC0B0A0u);
    }
}

TEST(GradientTest, ReflectedFillShowsEndAtTopAndBottomAndStartInTheMiddle) {
    TQZArtistic artistic;
    artistic.GradientType = gtReflectedH;
    QImage canvas(100, 20, QImage::Format_RGB32);
    artistic.FillGradient(canvas, canvas.rect(), kBlack, 0xC8C8C8);
    EXPECT_EQ(ColorAt(canvas, 50, 0), 0xC8C8C8u);
    EXPECT_EQ(ColorAt(canvas, 50, 19), 0xC8C8C8u);
    // Darker toward the middle from both edges.
    for (int y = 0; y < 9; ++y) {
        SCOPED_TRACE(y);
        EXPECT_GT(ColorAt(canvas, 50, y) & 0xFF, ColorAt(canvas, 50, y + 1) & 0xFF);
        EXPECT_GT(ColorAt(canvas, 50, 19 - y) & 0xFF, ColorAt(canvas, 50, 18 - y) & 0xFF);
    }
    // At its own height the template lands unstretched: the start colour sits in the two middle rows.
    QImage full(4, 512, QImage::Format_RGB32);
    artistic.FillGradient(full, full.rect(), kBlack, 0xC8C8C8);
    EXPECT_EQ(ColorAt(full, 2, 255), kBlack);
    EXPECT_EQ(ColorAt(full, 2, 256), kBlack);
}

TEST(GradientTest, FillStaysInsideItsRectangleAndTheCanvas) {
    TQZArtistic artistic;
    artistic.GradientType = gtLinearV;
    QImage canvas(10, 10, QImage::Format_RGB32);
    canvas.fill(Qt::green);
    artistic.FillGradient(canvas, QRect(5, 5, 20, 20), kBlack, kWhite);
    EXPECT_EQ(ColorAt(canvas, 4, 4), 0x00FF00u);
    EXPECT_EQ(ColorAt(canvas, 5, 5), kBlack);
    EXPECT_EQ(ColorAt(canvas, 9, 9) & 0xFF, 54u);  // row 4 of 20 over 256 entries: round(4*255/19)
    artistic.GradientType = static_cast<TQZGradientType>(30);
    artistic.FillGradient(canvas, canvas.rect(), kBlack, kWhite);
    EXPECT_EQ(ColorAt(canvas, 0, 0), 0x00FF00u);
}
