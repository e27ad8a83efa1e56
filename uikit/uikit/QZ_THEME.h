#pragma once
// TQZTheme: one colour scheme and the gradient settings shared by every
// themed control that points to it. Choosing a scheme copies its preset into
// the five colour sets and the object colours; the controls re-read the
// theme each time they paint.
#include "QZ_COLORS.h"
#include "QZ_THEME_PRESETS.h"

#include <string>

class IniFile;
class TQZArtistic;

// Custom event sent by BroadcastChange (both of its parameters are 0).
constexpr int QZM_THEMECHANGED = 39827;

class TQZTheme : public TQZStateColorSets {
public:
    // Starts with tcLaranja, gtRadialTL, rotation 0, shift 0, border width 1
    // and broadcasts the change.
    TQZTheme();

    TQZThemeColors ThemeColors() const { return themeColors_; }
    // A new scheme is copied into the colour sets and object colours.
    void SetThemeColors(TQZThemeColors value);

    // The gradient setters broadcast when the value changes. Rotation and
    // shift are held to -100..100, the border width to 0 or more.
    TQZGradientType GradientType() const { return gradientType_; }
    void SetGradientType(TQZGradientType value);
    TGradientRotation GradientRotation() const { return gradientRotation_; }
    void SetGradientRotation(int value);
    TGradientShift GradientShift() const { return gradientShift_; }
    void SetGradientShift(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);

    bool NoRead = false;  // when set, ReadIni does nothing
    bool UseContrastFont = false;
    bool RoundedButtons = false;

    TQZObjectColors ObjectColors{};

    // Loads section "TEMA" of the program's settings file (the executable's
    // path with the extension ".ini"); missing keys take their defaults and
    // out-of-range values are clamped. Ends with ApplyColors. Never writes.
    void ReadIni();
    void ReadIni(const IniFile& settings);

    // Copies the preset of ThemeColors into the colour sets and object
    // colours, then broadcasts.
    void ApplyColors();

    // Sends QZM_THEMECHANGED to every widget of the active window that has a
    // property named "ThemeManager", depth first in child order.
    void BroadcastChange();

    // Gives the painter the gradient settings and the scheme's colour sets,
    // and writes the scheme's object colours back into this theme.
    void AssignToArtistic(TQZArtistic& artistic);

private:
    // Stores a value that differs from the setting's, then BroadcastChange.
    template <typename Setting>
    void ChangeAndBroadcast(Setting& setting, Setting value);

    TQZThemeColors themeColors_ = tcLaranja;
    TQZGradientType gradientType_ = gtRadialC;
    TGradientRotation gradientRotation_ = 0;
    TGradientShift gradientShift_ = 0;
    int borderWidth_ = 0;
};

// The program's settings file: the running executable's path with its
// extension replaced by ".ini".
std::string ProgramSettingsPath();
