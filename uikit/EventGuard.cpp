#include "EventGuard.h"

#include "QZ_DIALOG.h"

namespace {
constexpr const char* kDefaultErrorTitle = "Quorvel";
}  // namespace

void RunGuarded(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const OperationAbandoned&) {
    } catch (const std::exception& e) {
        try {
            ErrorBox(kDefaultErrorTitle, e.what());
        } catch (...) {
        }
    } catch (...) {
        try {
            ErrorBox(kDefaultErrorTitle, "Erro desconhecido.");
        } catch (...) {
        }
    }
}
