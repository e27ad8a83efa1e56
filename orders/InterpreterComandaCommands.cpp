// Commands on the tab itself: open or create it (C), its price table (T),
// client (B) and employee (U), and its total (V).
#include "DataModulo.h"

#include "QZ_DBIBX.h"
#include "RegionalFormats.h"
#include "StoreStatements.h"

std::string TDM::OpenOrCreateComanda(int number) {
    const std::string shown = std::to_string(number);
    if (IsComandaBlocked(number))
        return "101-A COMANDA " + shown + " EST\xC1 BLOQUEADA!";

    // Another terminal may be creating the same number right now: take the
    // turn to create it, then look again; a turn another holds is waited
    // for, and the tab it made is then found.
    bool exists = ComandaExists(number);
    while (!exists) {
        const bool ourTurn = creationTurn_.Take(DBTrans, number);
        exists = ComandaExists(number);
        if (ourTurn)
            break;
    }
    if (exists)
        OpenComanda(number);
    else
        CreateComanda(number);
    displayPrompt_ = "Comanda " + shown + ":";
    return "000-A COMANDA " + shown + (exists ? " FOI ABERTA!" : " FOI CRIADA!");
}

std::string TDM::ChangePriceTable(int table, const std::string& typed) {
    if (auto refusal = StatusRefusal(); !refusal.empty())
        return refusal;

    COM.Edit();
    COM.SetField("COM_TABELA", table);
    PostDataSet(COM);
    return "000-A TABELA DESTA COMANDA FOI ALTERADA PARA " + typed + "!";
}

std::string TDM::SelectClient(int client) {
    Retarget(CON, StoreStatements::kClientByCode, {{"CON_CODIGO", client}});
    if (CON.FieldByName("CON_CODIGO").AsInteger() != client)
        return "400-CLIENTE N\xC3O ENCONTRADO!";
    if (CON.FieldByName("CON_ATIVO").AsInteger() != 0)
        return "401-O CLIENTE EST\xC1 INATIVO!";
    if (auto refusal = StatusRefusal(); !refusal.empty())
        return refusal;

    const Windows1252Text name = CON.FieldByName("CON_NOME").AsText();
    COM.Edit();
    COM.SetField("CON_CODIGO", CON.FieldByName("CON_CODIGO").AsInteger());
    COM.SetField("COM_TABELA", CON.FieldByName("CON_TABELA").AsInteger());
    COM.SetField("COM_CLIENTE", name);
    PostDataSet(COM);
    return "000-CLIENTE SELECIONADO: " + name.Bytes() + "!";
}

std::string TDM::SelectEmployee(int badge) {
    LoadEmployeeByBadge(badge);
    if (FUN.FieldByName("FUN_COMANDA").AsInteger() != badge)
        return "500-FUNCION\xC1RIO N\xC3O ENCONTRADO!";
    if (FUN.FieldByName("FUN_ATIVO").AsInteger() != 0)
        return "501-O FUNCION\xC1RIO EST\xC1 INATIVO!";
    if (auto refusal = StatusRefusal(); !refusal.empty())
        return refusal;

    COM.Edit();
    COM.SetField("FUN_CODIGO", FUN.FieldByName("FUN_CODIGO").AsInteger());
    PostDataSet(COM);
    return "000-FUNCION\xC1RIO SELECIONADO: " + FUN.FieldByName("FUN_NOME").AsText().Bytes() + "!";
}

std::string TDM::ShowTotal() {
    // The totals are refreshed before the status is known, so a blocked or
    // cancelled tab gets them too.
    if (COM.Active()) {
        LockLoadedComanda();
        RecalculateTotals();
        PostDataSet(COM);
    }
    if (auto refusal = StatusRefusal(); !refusal.empty())
        return refusal;
    return "000-TOTAL DA COMANDA: " + FormatMoney(COM.FieldByName("COM_TOTAL").AsFixed().Raw());
}
