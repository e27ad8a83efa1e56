#include "ServiceStatusText.h"

#include <ctime>

namespace {

constexpr const char* kSeparator = " \xC2\xB7 ";  // " · "

std::string LocalHoursAndMinutes(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    char text[8];
    std::strftime(text, sizeof text, "%H:%M", &local);
    return text;
}

}  // namespace

std::string CountedNoun(long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string ServiceStatusText(const ServiceTally& tally) {
    std::string text = CountedNoun(tally.terminals, "terminal", "terminais") + ": " +
                       CountedNoun(tally.connected, "conectado", "conectados");
    if (tally.unanswering > 0)
        text += ", " + std::to_string(tally.unanswering) + " sem resposta";
    if (const int starting = tally.terminals - tally.connected - tally.unanswering; starting > 0)
        text += ", " + std::to_string(starting) + " iniciando";
    text += kSeparator + CountedNoun(tally.commands, "comando", "comandos");
    if (tally.lastError)
        text += std::string(kSeparator) + "\xC3\xBAltimo erro " + LocalHoursAndMinutes(*tally.lastError);
    return text;
}
