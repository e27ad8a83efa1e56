#pragma once
// The audit-log entry: one SP_ADDCOMANDALOG call with the tab's number,
// quantity and total (each to two decimal places), point of sale and client,
// the event message (upper-cased) and the origin "MICROTERMINAL". Texts are
// Windows-1252: the message as bytes, the client as read from the tab.
#include "FieldValue.h"
#include "FixedPoint.h"
#include "SqlDateTime.h"
#include "Windows1252Text.h"

#include <cstdint>
#include <string>

struct ComandaLogEntry {
    SqlDate date;
    SqlTime time;
    std::int64_t number = 0;
    FixedPoint quantity;
    FixedPoint total;
    std::int64_t pointOfSale = 0;
    std::string message;
    Windows1252Text client;
};

// The parameters of StoreStatements::kComandaLog for the entry: the time in
// whole seconds, quantity and total rounded to two places (ties to even),
// the message upper-cased.
SqlParameters ComandaLogParameters(const ComandaLogEntry& entry);
