#include "ServiceStatusText.h"

#include <gtest/gtest.h>

namespace {

std::time_t TodayAt(int hour, int minute) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = 0;
    return std::mktime(&local);
}

TEST(ServiceStatusText, TellsTheStateAtAGlance) {
    const struct {
        ServiceTally tally;
        const char* text;
    } cases[] = {
        {{4, 3, 1, 152, TodayAt(14, 3)},
         "4 terminais: 3 conectados, 1 sem resposta \xC2\xB7 152 comandos \xC2\xB7 \xC3\xBAltimo erro 14:03"},
        {{1, 1, 0, 1, std::nullopt}, "1 terminal: 1 conectado \xC2\xB7 1 comando"},
        {{2, 0, 0, 0, std::nullopt}, "2 terminais: 0 conectados, 2 iniciando \xC2\xB7 0 comandos"},
        {{3, 1, 1, 7, std::nullopt}, "3 terminais: 1 conectado, 1 sem resposta, 1 iniciando \xC2\xB7 7 comandos"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ServiceStatusText(c.tally), c.text);
}

}  // namespace
