#pragma once
// Whether the window program has somewhere to show its window, decided
// before Qt is started (Qt aborts when it cannot reach a display): a
// platform chosen in QT_QPA_PLATFORM or with Qt's own "-platform" argument,
// or an X or Wayland display named in DISPLAY or WAYLAND_DISPLAY. An empty
// variable names nothing.
#include <functional>
#include <string>
#include <vector>

using EnvironmentLookup = std::function<const char*(const char* name)>;

// `arguments`: the program's arguments, its name left out.
bool DisplayNamed(const EnvironmentLookup& environment, const std::vector<std::string>& arguments);

// The one line printed when there is none.
extern const char* const kNoDisplayLine;
