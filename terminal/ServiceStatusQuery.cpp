#include "ServiceStatusQuery.h"

#include "QZ_DBIBX_SETTINGS.h"
#include "ServiceStateFile.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <stdexcept>

namespace {

constexpr int kRunning = 0;
constexpr int kUsage = 2;
constexpr int kNotRunning = 3;
constexpr int kUnknown = 4;

}  // namespace

bool WantsStatus(const std::vector<std::string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), "--status") != arguments.end();
}

int RunStatusQuery(const std::vector<std::string>& arguments, const std::string& statePath, std::ostream& out,
                   std::ostream& errors) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--status" || (i == 0 && IsSettingsSwitch(arguments[i])))
            continue;
        errors << "argumento desconhecido \"" << arguments[i] << "\"; uso: Quorvel [CFG=ARQUIVO] --status" << std::endl;
        return kUsage;
    }
    std::optional<std::string> state;
    try {
        state = ReadPublishedState(statePath);
    } catch (const std::runtime_error& e) {
        errors << "estado do servi\xC3\xA7o desconhecido: " << e.what() << std::endl;
        return kUnknown;
    }
    if (!state) {
        out << "nenhum servi\xC3\xA7o em execu\xC3\xA7\xC3\xA3o para " << statePath << std::endl;
        return kNotRunning;
    }
    if (state->empty())
        out << "servi\xC3\xA7o iniciando: os terminais ainda n\xC3\xA3o foram publicados" << std::endl;
    out << *state << std::flush;
    return kRunning;
}
