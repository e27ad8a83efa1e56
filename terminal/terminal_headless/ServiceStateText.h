#pragma once
// One line per terminal the service serves, as `Quorvel --status` prints
// them (UTF-8, times local):
//   terminal 0 10.0.0.21: conectado desde 11/12 14:03:05 · comanda 12 ·
//   último comando C12, resposta 000, 11/12 14:05:01 · último erro 11/12 14:04:00 Erro: ...
// (one line). Parts with nothing to tell (no tab open, no command yet, no
// error) are left out.
#include "TerminalActivity.h"

#include <string>

// The words of the service's status sentence, and "parado" for a terminal
// of the list the service does not serve now (its data module could not
// connect at a reload).
struct TerminalState {
    int position = 0;       // in the terminal list
    std::string entry;      // "key=address"
    std::string condition;  // "conectado", "sem resposta", "iniciando" or "parado"
    TerminalActivity activity;
};

std::string TerminalStateText(const TerminalState& state, TerminalActivity::Clock::time_point since);
