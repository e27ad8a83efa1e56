// What counts as a display for the window program, decided before Qt starts.
#include "DisplayPresence.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct Case {
    const char* name;
    std::map<std::string, std::string> environment;
    std::vector<std::string> arguments;
    bool named;
};

TEST(DisplayPresence, NamedByEnvironmentOrQtArgument) {
    const Case cases[] = {
        {"nothing", {}, {"--terminal", "0"}, false},
        {"empty variables", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}, {}, false},
        {"X display", {{"DISPLAY", ":0"}}, {}, true},
        {"Wayland display", {{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true},
        {"platform chosen", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
        {"Qt's argument", {}, {"-platform", "offscreen"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lookup = [&c](const char* name) -> const char* {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        };
        EXPECT_EQ(DisplayNamed(lookup, c.arguments), c.named);
    }
}

}  // namespace
