// Granting an employee's commission on the last item of the loaded tab,
// once per item (the CAI_ID identifier).
#include "DataModulo.h"

#include "QZ_DBIBX.h"
#include "StoreStatements.h"

namespace {

const std::string kNotCommissioned = "601-O PRODUTO SELECIONADO N\xC3O \xC9 COMISSIONADO!";
const std::string kAlreadyGranted =
    "603-A COMISS\xC3O DO PRODUTO J\xC1 FOI LAN\xC7"
    "ADA!";
const std::string kGranted =
    "000-COMISS\xC3O CONCEDIDA AO FUNCION\xC1"
    "RIO ";
const Windows1252Text kReason(
    "COMISS\xC3O P/ FUNCION\xC1"
    "RIO CONCEDIDA NO TERMINAL");

}  // namespace

std::string TDM::GrantCommission() {
    FixedPoint amount;
    {
        CloseOnExit closeProduct(PRO);
        Retarget(PRO, StoreStatements::kProductByCode, {{"PRO_CODIGO", CIN.FieldByName("PRO_CODIGO").AsInteger()}});
        amount = PRO.FieldByName("PRO_COMISSAOVAL").AsFixed();
        const FixedPoint percentage = PRO.FieldByName("PRO_COMISSAOPOR").AsFixed();
        if (amount == FixedPoint() && percentage == FixedPoint())
            return kNotCommissioned;
        if (amount == FixedPoint()) {
            const FixedPoint base = CIN.FieldByName("CIN_VALOR").AsFixed() +
                                    CIN.FieldByName("CIN_ACRESCIMO").AsFixed() -
                                    CIN.FieldByName("CIN_DESCONTO").AsFixed();
            amount = base * percentage / FixedPoint::FromInteger(100);
        }
    }

    const Windows1252Text identifier("C" + std::to_string(COM.FieldByName("COM_CODIGO").AsInteger()) + "I" +
                                     std::to_string(CIN.FieldByName("CIN_CODIGO").AsInteger()));
    Retarget(CAF, StoreStatements::kCommissionById, {{"CAI_ID", identifier}});
    if (CAF.FieldByName("CAF_CODIGO").AsInteger() != 0) {
        CAF.Close();
        return kAlreadyGranted;
    }
    const ServerMoment now = ServerNow();
    CAF.Append();
    CAF.SetField("FUN_CODIGO", FUN.FieldByName("FUN_CODIGO"));
    CAF.SetField("CAF_DATA", now.date);
    CAF.SetField("CAF_HORA", now.time);
    CAF.SetField("CAF_CREDITO", amount);
    CAF.SetField("CAF_DEBITO", FixedPoint());
    CAF.SetField("CAF_FINANCEIRO", 0);
    CAF.SetField("CAF_MOTIVO", kReason);
    CAF.SetField("CAI_ID", identifier);
    PostDataSet(CAF);
    const std::string reply = kGranted + FUN.FieldByName("FUN_NOME").AsText().Bytes() + "!";
    FUN.Close();
    CAF.Close();
    return reply;
}
