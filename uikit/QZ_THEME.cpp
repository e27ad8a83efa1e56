#include "QZ_THEME.h"

#include "IniFile.h"
#include "ProgramFiles.h"
#include "QZ_GRAPHICS.h"

#include <algorithm>

namespace {

constexpr const char* kSection = "TEMA";

}  // namespace

std::string ProgramSettingsPath() { return OwnSettingsPath(ProgramPath()); }

TQZTheme::TQZTheme() {
    SetBorderWidth(1);
    SetGradientType(gtRadialTL);
    ApplyColors();
}

void TQZTheme::SetThemeColors(TQZThemeColors value) {
    if (value == themeColors_)
        return;
    themeColors_ = value;
    ApplyColors();
}

template <typename Setting>
void TQZTheme::ChangeAndBroadcast(Setting& setting, Setting value) {
    if (value == setting)
        return;
    setting = value;
    BroadcastChange();
}

void TQZTheme::SetGradientType(TQZGradientType value) { ChangeAndBroadcast(gradientType_, value); }

void TQZTheme::SetGradientRotation(int value) { ChangeAndBroadcast(gradientRotation_, ClampGradientPercent(value)); }

void TQZTheme::SetGradientShift(int value) { ChangeAndBroadcast(gradientShift_, ClampGradientPercent(value)); }

void TQZTheme::SetBorderWidth(int value) { ChangeAndBroadcast(borderWidth_, std::max(value, 0)); }

void TQZTheme::ReadIni() {
    if (NoRead)
        return;
    ReadIni(IniFile(ProgramSettingsPath()));
}

void TQZTheme::ReadIni(const IniFile& settings) {
    if (NoRead)
        return;
    auto read = [&](const char* key, int defaultValue, int low, int high) {
        return std::clamp(settings.ReadInteger(kSection, key, defaultValue), low, high);
    };
    themeColors_ = static_cast<TQZThemeColors>(read("COLOR", tcPreto, 0, kSchemeCount - 1));
    gradientType_ = static_cast<TQZGradientType>(read("GRADTYPE", gtLight, 0, kGradientTypeCount - 1));
    gradientRotation_ =
        static_cast<TGradientRotation>(read("GRADROTATION", 0, -kGradientPercentLimit, kGradientPercentLimit));
    gradientShift_ = static_cast<TGradientShift>(read("GRADSHIF", 0, -kGradientPercentLimit, kGradientPercentLimit));
    borderWidth_ = std::max(settings.ReadInteger(kSection, "BORDERWIDTH", 1), 0);
    UseContrastFont = settings.ReadInteger(kSection, "CONTRASTFONT", 0) != 0;
    RoundedButtons = settings.ReadInteger(kSection, "ROUNDEDBUTTONS", 1) != 0;
    ApplyColors();
}

void TQZTheme::ApplyColors() {
    TQZStateColorSets::operator=(SchemeColorSets(themeColors_));
    if (const TQZObjectColors* objects = SchemeObjectColors(themeColors_))
        ObjectColors = *objects;
    BroadcastChange();
}

void TQZTheme::AssignToArtistic(TQZArtistic& artistic) {
    artistic.GradientType = gradientType_;
    artistic.SetGradientRotation(gradientRotation_);
    artistic.SetGradientShift(gradientShift_);
    artistic.BorderWidth = borderWidth_;
    artistic.SetColorScheme(themeColors_);
    if (const TQZObjectColors* objects = SchemeObjectColors(themeColors_))
        ObjectColors = *objects;
}
