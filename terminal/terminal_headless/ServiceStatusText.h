#pragma once
// The one sentence the service manager shows for the service
// (`systemctl status`), in the shop's language:
//   "4 terminais: 3 conectados, 1 sem resposta · 152 comandos · último erro 14:03"
#include <ctime>
#include <optional>
#include <string>

struct ServiceTally {
    int terminals = 0;    // served
    int connected = 0;    // started and answering
    int unanswering = 0;  // a start that failed, or away since
    long commands = 0;    // replied to since the service started
    std::optional<std::time_t> lastError;
};

// "1 terminal", "2 terminais": the count and the noun that goes with it.
std::string CountedNoun(long count, const char* one, const char* many);

// Parts with nothing to tell ("sem resposta", terminals still starting, the
// last error) are left out; the time is local, hours and minutes.
std::string ServiceStatusText(const ServiceTally& tally);
