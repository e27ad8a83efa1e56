#pragma once
// Whether the window program has somewhere to show its window, decided
// before Qt is started (Qt aborts when it cannot reach a display): a
// platform chosen in QT_QPA_PLATFORM, or an X or Wayland display named in
// DISPLAY or WAYLAND_DISPLAY. An empty variable names nothing.
#include <functional>

using EnvironmentLookup = std::function<const char*(const char* name)>;

bool DisplayNamed(const EnvironmentLookup& environment);

// The one line printed when there is none.
extern const char* const kNoDisplayLine;
