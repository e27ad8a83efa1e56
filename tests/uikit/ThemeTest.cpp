#include "IniFile.h"
#include "QZ_GRAPHICS.h"
#include "QZ_THEME.h"
#include "TemporaryFolder.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// A widget that asks for theme-change notices and counts them.
class ThemeListener : public QWidget {
public:
    explicit ThemeListener(QWidget* parent) : QWidget(parent) { setProperty("ThemeManager", true); }
    int received = 0;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QZM_THEMECHANGED)
            ++received;
        return QWidget::event(e);
    }
};

// An active window holding a listener nested one level deep.
class ActiveWindowTest : public testing::Test {
protected:
    void SetUp() override {
        window.resize(100, 100);
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
    QWidget inner{&window};
    ThemeListener listener{&inner};
};

class SettingsFile {
public:
    explicit SettingsFile(const std::string& contents) { std::ofstream(path_) << contents; }
    IniFile Ini() const { return IniFile(path_); }

private:
    TemporaryFolder folder_{"uikit-theme"};
    std::string path_ = folder_.PathOf("theme.ini");
};

}  // namespace

TEST(ThemeTest, NewThemeHoldsTheOrangeSchemeAndItsGradientDefaults) {
    TQZTheme theme;
    EXPECT_EQ(theme.ThemeColors(), tcLaranja);
    EXPECT_EQ(theme.GradientType(), gtRadialTL);
    EXPECT_EQ(theme.GradientRotation(), 0);
    EXPECT_EQ(theme.GradientShift(), 0);
    EXPECT_EQ(theme.BorderWidth(), 1);
    EXPECT_FALSE(theme.RoundedButtons);
    EXPECT_FALSE(theme.UseContrastFont);
    EXPECT_FALSE(theme.NoRead);
    EXPECT_EQ(theme.NormalColors.GradientColorStart, 0xDFEAFFu);
    EXPECT_EQ(theme.ObjectColors.ObjFontColor, 0x004DEAu);
}

TEST(ThemeTest, SchemePresetsFillColourSetsAndObjectColours) {
    struct Case {
        TQZThemeColors scheme;
        TQZColors normal, hot, focus, down;
        TColor objBack, objLine2, objSel, objFont, objContrast;
    };
    const Case cases[] = {
        {tcVermelho,
         {0xE6E6FF, 0xC6C6FF, 0xB7B7FF, 0x9B9BFF, 0x2020FF, 0x0000A4},
         {0xCACAFF, 0x8A8AFF, 0x9393FF, 0x6F6FFF, 0x2020FF, 0x0000A4},
         {0xE6E6FF, 0xC6C6FF, 0xB7B7FF, 0x9B9BFF, 0x5959FF, 0x0000E1},
         {0x8A8AFF, 0xCACAFF, 0xB7B7FF, 0x9B9BFF, 0x0000A4, 0x2020FF},
         0xE6E6FF,
         0xC6C6FF,
         0x0000AE,
         0x0000AE,
         0x000000},
        {tcBrasil,
         {0x84FFFF, 0x71FFB8, 0x00F9F9, 0x00EA75, 0x00A6A6, 0x009349},
         {0x00FBFB, 0x00D56A, 0x00D5D5, 0x00B75B, 0x00A6A6, 0x009349},
         {0x84FFFF, 0x71FFB8, 0x00F9F9, 0x00EA75, 0x00E1E1, 0x00D56A},
         {0x00D56A, 0x00FBFB, 0x00F9F9, 0x00EA75, 0x009349, 0x00A6A6},
         0xD9FFFF,
         0xE1FFF0,
         0x009D4F,
         0x009D4F,
         0x000000},
        {tcPretoVerde,
         {0x009148, 0x000000, 0x002814, 0x000000, 0x002814, 0x000000},
         {0x00C663, 0x000000, 0x002814, 0x000000, 0x002814, 0x000000},
         {0x00C663, 0x000000, 0x002814, 0x000000, 0x002814, 0x000000},
         {0x000000, 0x00C663, 0x000000, 0x002814, 0x000000, 0x002814},
         0x5F5F5F,
         0x2E2E2E,
         0x009F50,
         0xB9FFDC,
         0xFFFFFF},
        {tcOfficeOrange,
         {0xEFEFEF, 0xC0C0C0, 0xDFDFDF, 0xA7A7A7, 0xD1D1D1, 0x888888},
         {0xEFEFEF, 0x75A2FF, 0xDFDFDF, 0x6295FF, 0xD1D1D1, 0x004BE8},
         {0xEFEFEF, 0x4683FF, 0xDFDFDF, 0x246BFF, 0xD1D1D1, 0x002D8A},
         {0x4683FF, 0xEFEFEF, 0x246BFF, 0xDFDFDF, 0x002D8A, 0xD1D1D1},
         0xEAEAEA,
         0xC6D9FF,
         0x0046D7,
         0x003DB9,
         0x000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.scheme));
        TQZTheme theme;
        theme.SetThemeColors(c.scheme);
        EXPECT_EQ(theme.NormalColors, c.normal);
        EXPECT_EQ(theme.HotColors, c.hot);
        EXPECT_EQ(theme.FocusColors, c.focus);
        EXPECT_EQ(theme.DownColors, c.down);
        EXPECT_EQ(theme.ObjectColors.ObjBackColor, c.objBack);
        EXPECT_EQ(theme.ObjectColors.ObjLineColor2, c.objLine2);
        EXPECT_EQ(theme.ObjectColors.ObjSelColor, c.objSel);
        EXPECT_EQ(theme.ObjectColors.ObjFontColor, c.objFont);
        EXPECT_EQ(theme.ObjectColors.ObjFontContrastColor, c.objContrast);
    }
}

TEST(ThemeTest, DisabledColoursAreTheSameGreysInEveryScheme) {
    const TQZColors greys{0xF5F5F5, 0xDFDFDF, 0xDBDBDB, 0xBEBEBE, 0xA2A2A2, 0x858585};
    for (int scheme = 0; scheme < kSchemeCount; ++scheme) {
        SCOPED_TRACE(scheme);
        TQZTheme theme;
        theme.SetThemeColors(static_cast<TQZThemeColors>(scheme));
        EXPECT_EQ(theme.DisableColors, greys);
    }
}

TEST(ThemeTest, SchemePastTheLastPaintsOrangeAndKeepsObjectColours) {
    TQZTheme theme;
    theme.SetThemeColors(tcVermelho);
    theme.SetThemeColors(static_cast<TQZThemeColors>(19));
    EXPECT_EQ(theme.NormalColors.GradientColorStart, 0xDFEAFFu);
    EXPECT_EQ(theme.ObjectColors.ObjFontColor, 0x0000AEu);
}

TEST(ThemeTest, AssignToArtisticHandsOverGradientAndSchemeAndRestoresObjectColours) {
    TQZTheme theme;
    theme.SetThemeColors(tcVerde);
    theme.SetGradientType(gtDiamond);
    theme.SetGradientRotation(30);
    theme.SetGradientShift(-20);
    theme.SetBorderWidth(3);
    theme.NormalColors.GradientColorStart = 0x123456;
    theme.ObjectColors.ObjFontColor = 0x123456;

    TQZArtistic artistic;
    theme.AssignToArtistic(artistic);
    EXPECT_EQ(artistic.GradientType, gtDiamond);
    EXPECT_EQ(artistic.GradientRotation(), 30);
    EXPECT_EQ(artistic.GradientShift(), -20);
    EXPECT_EQ(artistic.BorderWidth, 3);
    EXPECT_EQ(artistic.NormalColors.GradientColorStart, 0xA6FFD7u);
    EXPECT_EQ(artistic.DownColors.SelColorStart, 0x007943u);
    EXPECT_EQ(theme.ObjectColors.ObjFontColor, 0x009351u);
}

TEST(ThemeTest, ReadIniWithoutThemeSectionGivesBlackSchemeWithRoundedButtons) {
    SettingsFile file("[TECLAS]\nA=1\n");
    TQZTheme theme;
    theme.ReadIni(file.Ini());
    EXPECT_EQ(theme.ThemeColors(), tcPreto);
    EXPECT_EQ(theme.GradientType(), gtLight);
    EXPECT_EQ(theme.GradientRotation(), 0);
    EXPECT_EQ(theme.GradientShift(), 0);
    EXPECT_EQ(theme.BorderWidth(), 1);
    EXPECT_TRUE(theme.RoundedButtons);
    EXPECT_FALSE(theme.UseContrastFont);
    EXPECT_EQ(theme.NormalColors.GradientColorStart, 0xF4F4F4u);
}

TEST(ThemeTest, ReadIniTakesEveryKeyAndClampsOutOfRangeValues) {
    struct Case {
        const char* section;
        int scheme, gradient, rotation, shift, border;
        bool contrast, rounded;
    };
    const Case cases[] = {
        {"COLOR=4\nGRADTYPE=9\nGRADROTATION=40\nGRADSHIF=-50\nBORDERWIDTH=3\n"
         "CONTRASTFONT=1\nROUNDEDBUTTONS=0\n",
         tcVermelho, gtLinearH, 40, -50, 3, true, false},
        {"COLOR=19\nGRADTYPE=24\nGRADROTATION=101\nGRADSHIF=-101\nBORDERWIDTH=-2\n", tcOfficeOrange, gtLight, 100, -100,
         0, false, true},
        {"COLOR=-1\nGRADTYPE=-5\nGRADROTATION=-300\nGRADSHIF=255\nCONTRASTFONT=7\n", tcLaranja, gtRadialC, -100, 100, 1,
         true, true},
        {"COLOR=azul\nGRADTYPE=\n", tcPreto, gtLight, 0, 0, 1, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        SettingsFile file(std::string("[TEMA]\n") + c.section);
        TQZTheme theme;
        theme.ReadIni(file.Ini());
        EXPECT_EQ(theme.ThemeColors(), c.scheme);
        EXPECT_EQ(theme.GradientType(), c.gradient);
        EXPECT_EQ(theme.GradientRotation(), c.rotation);
        EXPECT_EQ(theme.GradientShift(), c.shift);
        EXPECT_EQ(theme.BorderWidth(), c.border);
        EXPECT_EQ(theme.UseContrastFont, c.contrast);
        EXPECT_EQ(theme.RoundedButtons, c.rounded);
    }
}

TEST(ThemeTest, ProgramSettingsFileSitsBesideTheProgram) {
    const std::filesystem::path path = ProgramSettingsPath();
    EXPECT_EQ(path.filename(), "uikit_test.ini");
    EXPECT_EQ(path.parent_path(), std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

TEST_F(ActiveWindowTest, ChangesReachWidgetsThatAskForThemeNotices) {
    TQZTheme theme;
    listener.received = 0;
    theme.SetThemeColors(tcAzul);
    theme.SetGradientType(gtLinearV);
    theme.SetGradientRotation(10);
    theme.SetGradientShift(10);
    theme.SetBorderWidth(2);
    EXPECT_EQ(listener.received, 5);
}

TEST_F(ActiveWindowTest, UnchangedValuesAndNoReadSendNothing) {
    SettingsFile file("[TEMA]\nCOLOR=4\n");
    TQZTheme theme;
    theme.NoRead = true;
    listener.received = 0;
    theme.SetThemeColors(tcLaranja);
    theme.SetGradientType(gtRadialTL);
    theme.SetBorderWidth(1);
    theme.ReadIni(file.Ini());
    EXPECT_EQ(listener.received, 0);
    EXPECT_EQ(theme.ThemeColors(), tcLaranja);
    EXPECT_FALSE(theme.RoundedButtons);

    theme.NoRead = false;
    theme.ReadIni(file.Ini());
    EXPECT_EQ(listener.received, 1);
    EXPECT_EQ(theme.ThemeColors(), tcVermelho);
}
