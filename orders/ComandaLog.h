#pragma once
// The audit-log statement: one SP_ADDCOMANDALOG call with the tab's number,
// quantity, total, point of sale and client, the event message (upper-cased)
// and the origin "MICROTERMINAL". Texts are Windows-1252.
#include "FixedPoint.h"
#include "SqlDateTime.h"

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
    std::string client;
};

// EXECUTE PROCEDURE SP_ADDCOMANDALOG('12/09/2014','21:07:05',12,3.5,47.9,0,
// 'COMANDA ABERTA NO MICROTERMINAL','CONSUMIDOR','MICROTERMINAL')
std::string ComandaLogStatement(const ComandaLogEntry& entry);

// A decimal with at most two places (rounded, ties to even), "." as
// separator, trailing zeros and a trailing point dropped: 3.5, 12, 0.25.
std::string LogDecimal(FixedPoint value);

// Upper case in the Windows-1252 code page (accented letters included).
std::string Windows1252UpperCase(std::string text);
