#include "ComandaLog.h"

#include "DataModulo.h"
#include "QZ_DBIBX.h"

#include <cstdio>
#include <cstdlib>

std::string LogDecimal(FixedPoint value)
{
    const std::int64_t hundredths = value.ToScaled(2);
    const std::uint64_t magnitude = static_cast<std::uint64_t>(std::llabs(hundredths));
    std::string text = (hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100);
    std::string fraction = std::to_string(100 + magnitude % 100).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return fraction.empty() ? text : text + "." + fraction;
}

std::string Windows1252UpperCase(std::string text)
{
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 'a' && byte <= 'z')
            c = static_cast<char>(byte - 0x20);
        else if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
            c = static_cast<char>(byte - 0x20);
        else if (byte == 0x9A || byte == 0x9C || byte == 0x9E)
            c = static_cast<char>(byte - 0x10);
        else if (byte == 0xFF)
            c = static_cast<char>(0x9F);
    }
    return text;
}

std::string ComandaLogStatement(const ComandaLogEntry& entry)
{
    char date[16];
    char time[16];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", entry.date.month, entry.date.day, entry.date.year);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", entry.time.hour, entry.time.minute, entry.time.second);
    return "EXECUTE PROCEDURE SP_ADDCOMANDALOG(" + SqlQuoted(date) + "," + SqlQuoted(time) + "," +
           std::to_string(entry.number) + "," + LogDecimal(entry.quantity) + "," + LogDecimal(entry.total) + "," +
           std::to_string(entry.pointOfSale) + "," + SqlQuoted(Windows1252UpperCase(entry.message)) + "," +
           SqlQuoted(entry.client) + "," + SqlQuoted("MICROTERMINAL") + ")";
}

void TDM::LogComandaEvent(const std::string& message)
{
    if (COM.FieldByName("COM_CODIGO").AsInteger() == 0)
        return;
    ComandaLogEntry entry;
    entry.date = ServerDate();
    entry.time = ServerTime();
    entry.number = COM.FieldByName("COM_NUMERO").AsInteger();
    entry.quantity = COM.FieldByName("COM_QTDE").AsFixed();
    entry.total = COM.FieldByName("COM_TOTAL").AsFixed();
    entry.pointOfSale = COM.FieldByName("PDV_CODIGO").AsInteger();
    entry.message = message;
    entry.client = COM.FieldByName("COM_CLIENTE").AsText();
    RunScript(ComandaLogStatement(entry), false);
}
