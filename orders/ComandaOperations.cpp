// Order-tab operations of the data module: products and prices, the tab
// status tests, opening and creating tabs, items and totals.
#include "DataModulo.h"

#include "QZ_DBIBX.h"
#include "Query.h"
#include "StoreStatements.h"
#include "WorkUnit.h"

#include <cmath>
#include <memory>

namespace {

constexpr std::size_t kReferenceLength = 50;  // CIN_REF01 to CIN_REF06 hold 50 characters
constexpr std::size_t kBarcodeLength = 30;    // PRO_CODBARRAS holds 30 characters

}  // namespace

int TDM::FindProductByBarcode(const std::string& barcode) {
    // No product carries a longer code, and the store would refuse it as a
    // parameter of the column's size.
    if (barcode.size() > kBarcodeLength) {
        PRO.Close();
        return 0;
    }
    Retarget(PRO, StoreStatements::kProductByBarcode, {{"PRO_CODBARRAS", Windows1252Text(barcode)}});
    return static_cast<int>(PRO.FieldByName("PRO_CODIGO").AsInteger());
}

FixedPoint TDM::GetProductPrice(int product, bool tableZero) {
    const std::int64_t table = tableZero ? 0 : COM.FieldByName("COM_TABELA").AsInteger();
    return ReadValue("VALOR", StoreStatements::kPrice, {{"PRODUTO", product}, {"TABELA", table}}).AsFixed();
}

bool TDM::IsComandaBlocked(int number) {
    CloseOnExit closeAfterwards(CBL);
    Retarget(CBL, StoreStatements::kBlockedNumber, {{"CBL_NUMERO", number}});
    const FieldValue& blocked = CBL.FieldByName("CBL_NUMERO");
    return !blocked.IsNull() && blocked.AsInteger() == number;
}

bool TDM::ComandaExists(int number) {
    const long double found = ReadNumber("COM_NUMERO", StoreStatements::kTabNumber, {{"COM_NUMERO", number}});
    return std::llround(found) == number && number > 0;
}

TComandaStatus TDM::CurrentComandaStatus() {
    const auto number = static_cast<int>(COM.FieldByName("COM_NUMERO").AsInteger());
    if (number == 0)
        return csNotLoaded;
    // Both tests in one read: the blocked list first, as ever.
    const std::unique_ptr<Query> status = CreateQuery(StoreStatements::kTabNumberStatus, false);
    status->Params = {{"NUMERO", number}};
    status->Open();
    if (!status->FieldByName("CBL_NUMERO").IsNull())
        return csBlocked;
    if (status->FieldByName("COM_NUMERO").IsNull())
        return csCancelled;
    return csUsable;
}

void TDM::OpenComanda(int number) {
    LoadComanda(number);
    LoadComandaItems(COM.FieldByName("COM_CODIGO").AsInteger());
    LogComandaEvent("COMANDA ABERTA NO MICROTERMINAL");
}

void TDM::CreateComanda(int number) {
    WorkUnit work(DBTrans);
    LoadComanda(number);
    // Read before the new row starts, so a failure leaves no pending row.
    const ServerMoment now = ServerNow();
    COM.Append();
    COM.SetField("COM_NUMERO", number);
    COM.SetField("COM_DATA", now.date);
    COM.SetField("COM_HORA", now.time);
    COM.SetField("CON_CODIGO", QCFG.FieldByName("CON_CODIGO_CONSUMIDOR"));
    COM.SetField("FUN_CODIGO", QCFG.FieldByName("FUN_CODIGO_CAIXA"));
    for (const char* paid : {"COM_DINHEIROPAGO", "COM_CHEQUEPAGO", "COM_CARTAOPAGO", "COM_CARTAODEBPAGO"})
        COM.SetField(paid, FixedPoint());
    COM.SetField("COM_TABELA", 0);
    COM.SetField("COM_CLIENTE", Windows1252Text("CONSUMIDOR"));
    COM.SetField("COM_QTDE", FixedPoint());
    COM.SetField("COM_TOTAL", FixedPoint());
    COM.SetField("COM_TIPO", 1);
    if (ServiceFeeApplies())
        COM.SetField("COM_TAXASERVICO", QCFG.FieldByName("CFG_PDV_ACRESCPORC").AsFixed());
    COM.SetField("COM_TAXAENTREGA", FixedPoint());
    PostDataSet(COM);
    LoadComandaItems(COM.FieldByName("COM_CODIGO").AsInteger());
    LogComandaEvent("COMANDA CRIADA NO MICROTERMINAL");
    work.Commit();
}

bool TDM::ServiceFeeApplies() {
    const std::int64_t number = COM.FieldByName("COM_NUMERO").AsInteger();
    const std::int64_t lowest = QCFG.FieldByName("CFG_PDV_ACRESCOMANDAINI").AsInteger();
    const std::int64_t highest = QCFG.FieldByName("CFG_PDV_ACRESCOMANDAFIM").AsInteger();
    bool applies = QCFG.FieldByName("CFG_PDV_ACRESCPORC").AsFixed() != FixedPoint() &&
                   !QCFG.FieldByName("PRO_CODIGO_ACRESCIMO").IsNull();
    if (lowest > 0)
        applies = applies && number >= lowest;
    if (highest > 0)
        applies = applies && number <= highest;
    return applies;
}

TComandaStatus TDM::AddItem(int product, FixedPoint quantity, FixedPoint price) {
    const TComandaStatus status = CurrentComandaStatus();
    if (status != csUsable)
        return status;
    WorkUnit work(DBTrans);
    CIN.Append();
    CIN.SetField("PRO_CODIGO", product);
    CIN.SetField("COM_CODIGO", COM.FieldByName("COM_CODIGO"));
    CIN.SetField("CIN_QTDE", quantity);
    CIN.SetField("CIN_VALOR", price);
    CIN.SetField("CIN_DESCONTO", FixedPoint());
    CIN.SetField("CIN_ACRESCIMO", FixedPoint());
    CIN.SetField("CIN_ABATECONSUMA", PRO.FieldByName("PRO_ABATECONSUMA"));
    if (PRO.FieldByName("PRO_TIPO").AsInteger() == 3 && PRO.FieldByName("PRO_CUSTO").AsNumber() == 0) {
        for (int i = 1; i <= 6; ++i) {
            const std::string number = "0" + std::to_string(i);
            FieldValue reference = QCFG.FieldByName("CFG_MAT_REF" + number);
            if (reference.IsText())
                reference = Windows1252Text(reference.AsText().Bytes().substr(0, kReferenceLength));
            CIN.SetField("CIN_REF" + number, reference);
        }
    }
    PostDataSet(CIN);
    LogComandaEvent("ADICIONADO PRODUTO NA COMANDA VIA MICROTERMINAL");
    RecalculateTotals();
    PostDataSet(COM);
    work.Commit();
    return csUsable;
}

void TDM::RecalculateTotals() {
    if (COM.IsEmpty())
        return;  // no tab row loaded: nothing to total (an edit would insert a blank tab)
    // The loaded tab's own items as the store now holds them: those loaded
    // in CIN may be none although other terminals have added some since.
    const std::unique_ptr<Query> totals = CreateQuery(StoreStatements::kTabTotals, false);
    totals->Params = {{"COM_CODIGO", COM.FieldByName("COM_CODIGO").AsInteger()}};
    totals->Open();
    const FixedPoint quantity = totals->FieldByName("QTDE").AsFixed();
    const FixedPoint total = totals->FieldByName("TOTAL").AsFixed();
    COM.Edit();
    COM.SetField("COM_QTDE", quantity);
    COM.SetField("COM_TOTAL", total);
}
