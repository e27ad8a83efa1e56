#include "DataModulo.h"

#include "DatabaseError.h"
#include "QZ_DBIBX.h"
#include "Query.h"
#include "StoreStatements.h"

#include <memory>

TDM::TDM()
    : DBTrans(BaseDados), COM(DBTrans), CIN(DBTrans), PRO(DBTrans), CBL(DBTrans), CON(DBTrans), FUN(DBTrans),
      CAF(DBTrans), QCFG(DBTrans) {
    DefineCursors();
    // The parameter lines the connection settings fill in: user and
    // password first, then the character set of every text.
    BaseDados.Params = {"user_name=", "password=", "lc_ctype=WIN1252"};
    RegisterSharedPair();
}

TDM::TDM(const std::string& connectionString, const std::string& user, const std::string& password) : TDM() {
    BaseDados.Open(connectionString, user, password);
    PrepareCommands();
}

TDM::~TDM() {
    if (SharedTransaction == &DBTrans) {
        SharedDatabase = nullptr;
        SharedTransaction = nullptr;
    }
    // The cursors hold no engine resources; end the transaction before the
    // connection closes.
    DBTrans.Rollback();
}

void TDM::RegisterSharedPair() {
    SharedDatabase = &BaseDados;
    SharedTransaction = &DBTrans;
}

void TDM::DefineCursors() {
    using namespace StoreStatements;
    COM.SelectSQL = kComandaSelect;
    COM.InsertSQL = kComandaInsert;
    COM.ModifySQL = kComandaUpdate;
    COM.RefreshSQL = kComandaRefresh;
    COM.KeyField = "COM_CODIGO";
    COM.Generator = "GEN_COMANDAS_ID";

    CIN.SelectSQL = kItemSelect;
    CIN.InsertSQL = kItemInsert;
    CIN.ModifySQL = kItemUpdate;
    CIN.KeyField = "CIN_CODIGO";
    CIN.Generator = "GEN_COMANDASITENS_ID";

    PRO.SelectSQL = SelectAllFrom("PRODUTOS");
    CBL.SelectSQL = SelectAllFrom("COMANDASBLOQUEADAS");
    CON.SelectSQL = SelectAllFrom("CONTATOS");
    FUN.SelectSQL = SelectAllFrom("FUNCIONARIOS");

    CAF.SelectSQL = SelectAllFrom("CAIXAFUN");
    CAF.InsertSQL = kCommissionInsert;
    CAF.KeyField = "CAF_CODIGO";
    CAF.Generator = "GEN_CAIXAFUN_ID";

    QCFG.SQL = kSettingsSelect;
}

void TDM::PrepareCommands() {
    ComandaSelectSQL = COM.SelectSQL + "\n";
    ItemSelectSQL = CIN.SelectSQL + "\n";
    QCFG.Open();
    creationTurn_.Prepare(DBTrans);
    displayPrompt_ = "Comanda:";
}

void TDM::Retarget(EditableDataSet& cursor, const std::string& sql, SqlParameters parameters) {
    cursor.Close();
    cursor.SelectSQL = sql;
    cursor.Params = std::move(parameters);
    cursor.Open();
}

void TDM::LoadComanda(int number) {
    Retarget(COM, ComandaSelectSQL + StoreStatements::kWhereTabNumber, {{"COM_NUMERO", number}});
}

void TDM::LoadComandaItems(std::int64_t comandaCode) {
    Retarget(CIN, ItemSelectSQL + StoreStatements::kWhereLastItemOfTab, {{"COM_CODIGO", comandaCode}});
}

TDM::ServerMoment TDM::ServerNow() {
    const std::unique_ptr<Query> now = CreateQuery(StoreStatements::kServerMoment, true);
    const FieldValue& date = now->FieldByName("DATA");
    const FieldValue& time = now->FieldByName("HORA");
    if (date.IsNull())
        throw DatabaseError("SP_SERVERDATE returned no date");
    if (time.IsNull())
        throw DatabaseError("SP_SERVERTIME returned no time");
    return {date.AsDate(), time.AsTime()};
}
