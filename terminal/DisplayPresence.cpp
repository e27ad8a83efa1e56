#include "DisplayPresence.h"

#include <algorithm>

const char* const kNoDisplayLine =
    "Quorvel: nenhuma tela encontrada (DISPLAY, WAYLAND_DISPLAY); --headless serve os terminais sem janelas";

bool DisplayNamed(const EnvironmentLookup& environment, const std::vector<std::string>& arguments) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = environment(name);
        if (value && *value)
            return true;
    }
    return std::find(arguments.begin(), arguments.end(), "-platform") != arguments.end();
}
