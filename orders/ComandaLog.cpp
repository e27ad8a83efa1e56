#include "ComandaLog.h"

#include "DataModulo.h"
#include "QZ_DBIBX.h"
#include "StoreStatements.h"
#include "Windows1252.h"

SqlParameters ComandaLogParameters(const ComandaLogEntry& entry) {
    const auto twoPlaces = [](FixedPoint value) { return FieldValue::Decimal{value.ToScaled(2), 2}; };
    return {
        {"DATA", entry.date},
        {"HORA", SqlTime{entry.time.hour, entry.time.minute, entry.time.second, 0}},
        {"NUMERO", entry.number},
        {"QTDE", twoPlaces(entry.quantity)},
        {"TOTAL", twoPlaces(entry.total)},
        {"PDV", entry.pointOfSale},
        {"MENSAGEM", Windows1252UpperCase(Windows1252Text(entry.message))},
        {"CLIENTE", entry.client},
        {"ORIGEM", Windows1252Text("MICROTERMINAL")},
    };
}

void TDM::LogComandaEvent(const std::string& message) {
    if (COM.FieldByName("COM_CODIGO").AsInteger() == 0)
        return;
    const ServerMoment now = ServerNow();
    ComandaLogEntry entry;
    entry.date = now.date;
    entry.time = now.time;
    entry.number = COM.FieldByName("COM_NUMERO").AsInteger();
    entry.quantity = COM.FieldByName("COM_QTDE").AsFixed();
    entry.total = COM.FieldByName("COM_TOTAL").AsFixed();
    entry.pointOfSale = COM.FieldByName("PDV_CODIGO").AsInteger();
    entry.message = message;
    entry.client = COM.FieldByName("COM_CLIENTE").AsText();
    ExecuteSQL(StoreStatements::kComandaLog, ComandaLogParameters(entry));
}
