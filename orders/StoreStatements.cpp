#include "StoreStatements.h"

#include <vector>

namespace StoreStatements {

namespace {

const std::vector<std::string> kComandaColumns = {
    "COM_CARTAODEBPAGO", "COM_CARTAOPAGO",   "COM_CHEQUEPAGO",  "COM_CLIENTE",     "COM_CODIGO",
    "COM_DATA",          "COM_DINHEIROPAGO", "COM_HORA",        "COM_NUMERO",      "COM_OBS",
    "COM_QTDE",          "COM_TABELA",       "COM_TAXAENTREGA", "COM_TAXASERVICO", "COM_TIPO",
    "COM_TOTAL",         "CON_CODIGO",       "FUN_CODIGO",      "PDV_CODIGO",
};

const std::vector<std::string> kItemColumns = {
    "CIN_ABATECONSUMA", "CIN_ACRESCIMO",   "CIN_CODIGO", "CIN_CODIGO_LINK",  "CIN_DATAENTREGA", "CIN_DATAPRODUZ",
    "CIN_DESCONTO",     "CIN_HORAENTREGA", "CIN_KIT",    "CIN_MED1",         "CIN_MED2",        "CIN_MED3",
    "CIN_MED4",         "CIN_OBS",         "CIN_PERDA",  "CIN_PRODUTO_LINK", "CIN_QTDE",        "CIN_REF01",
    "CIN_REF02",        "CIN_REF03",       "CIN_REF04",  "CIN_REF05",        "CIN_REF06",       "CIN_REFOBS",
    "CIN_SUBQTDE",      "CIN_VALOR",       "COM_CODIGO", "PRO_CODIGO",       "VEI_CODIGO",
};

const std::vector<std::string> kCommissionColumns = {
    "CAF_CODIGO", "CAF_CREDITO", "CAF_DATA", "CAF_DEBITO", "CAF_FINANCEIRO", "CAF_HORA",
    "CAF_MOTIVO", "CAF_OBS",     "CAI_ID",   "FUN_CODIGO", "PDV_CODIGO",     "VEN_CODIGO",
};

std::string Joined(const std::vector<std::string>& columns, const std::string& prefix) {
    std::string text;
    for (const std::string& column : columns)
        text += (text.empty() ? "" : ", ") + prefix + column;
    return text;
}

std::string InsertInto(const std::string& table, const std::vector<std::string>& columns) {
    return "insert into " + table + "\n  (" + Joined(columns, "") + ")\nvalues\n  (" + Joined(columns, ":") + ")";
}

}  // namespace

const std::string kComandaSelect =
    "SELECT COMANDAS.*, CON_NOME, CON_CREDITOTIPO, CON_CREDITOCONSUMO\n"
    "FROM COMANDAS\n"
    "JOIN CONTATOS USING (CON_CODIGO)";
const std::string kComandaInsert = InsertInto("COMANDAS", kComandaColumns);
const UpdateStatement kComandaUpdate{"COMANDAS", kComandaColumns, "COM_CODIGO = :OLD_COM_CODIGO"};
const std::string kComandaRefresh = kComandaSelect + "\nwhere\n  COM_CODIGO = :COM_CODIGO";
const std::string kComandaLock =
    "SELECT COM_QTDE, COM_TOTAL, COM_TABELA, COM_CLIENTE, CON_CODIGO, FUN_CODIGO, PDV_CODIGO,\n"
    "  (SELECT CON_NOME FROM CONTATOS C WHERE C.CON_CODIGO = COMANDAS.CON_CODIGO) AS CON_NOME,\n"
    "  (SELECT CON_CREDITOTIPO FROM CONTATOS C WHERE C.CON_CODIGO = COMANDAS.CON_CODIGO) AS CON_CREDITOTIPO,\n"
    "  (SELECT CON_CREDITOCONSUMO FROM CONTATOS C WHERE C.CON_CODIGO = COMANDAS.CON_CODIGO) AS CON_CREDITOCONSUMO\n"
    "FROM COMANDAS WHERE COM_CODIGO = :COM_CODIGO WITH LOCK";

const std::string kItemSelect = "SELECT * FROM COMANDASITENS";
const std::string kItemInsert = InsertInto("COMANDASITENS", kItemColumns);
const UpdateStatement kItemUpdate{"COMANDASITENS", kItemColumns, "CIN_CODIGO = :OLD_CIN_CODIGO"};

const std::string kCommissionInsert = InsertInto("CAIXAFUN", kCommissionColumns);

const std::string kSettingsSelect =
    "SELECT CFG_PDV_VALORMAXCOMANDA, CFG_PDV_BALANCA, CON_CODIGO_CONSUMIDOR, FUN_CODIGO_CAIXA, "
    "CFG_MAT_REF01, CFG_MAT_REF02, CFG_MAT_REF03, CFG_MAT_REF04, CFG_MAT_REF05, CFG_MAT_REF06, "
    "CFG_PDV_ACRESCOMANDAFIM, CFG_PDV_ACRESCPORC, PRO_CODIGO_ACRESCIMO, CFG_PDV_ACRESCOMANDAINI\n"
    "FROM CONFIGURA";

const std::string kTabCreationLock = "SELECT CON_CODIGO_CONSUMIDOR FROM CONFIGURA WITH LOCK";
const std::string kTabCreationHolder = "SELECT CON_CODIGO_CONSUMIDOR FROM CONFIGURA";
const std::string kTabCreationTable = "SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'COMANDASCRIACAO'";
const std::string kTabNumberTurn =
    "UPDATE OR INSERT INTO COMANDASCRIACAO (CCR_NUMERO) VALUES (:NUMERO) MATCHING (CCR_NUMERO)";
const std::string kTabNumberHolder = "SELECT CCR_NUMERO FROM COMANDASCRIACAO WHERE CCR_NUMERO = :NUMERO";

const std::string kProductByBarcode = "SELECT * FROM PRODUTOS WHERE PRO_CODBARRAS = :PRO_CODBARRAS";
const std::string kProductByCode = "SELECT * FROM PRODUTOS WHERE PRO_CODIGO = :PRO_CODIGO";
const std::string kPrice = "SELECT VALOR FROM SP_GETPRECO(:PRODUTO, :TABELA)";
const std::string kBlockedNumber = "SELECT * FROM COMANDASBLOQUEADAS WHERE CBL_NUMERO = :CBL_NUMERO";
const std::string kTabNumber = "SELECT COM_NUMERO FROM COMANDAS WHERE COM_NUMERO = :COM_NUMERO";
const std::string kTabNumberStatus =
    "SELECT (SELECT FIRST 1 CBL_NUMERO FROM COMANDASBLOQUEADAS WHERE CBL_NUMERO = :NUMERO) AS CBL_NUMERO,\n"
    "  (SELECT FIRST 1 COM_NUMERO FROM COMANDAS WHERE COM_NUMERO = :NUMERO) AS COM_NUMERO\n"
    "FROM RDB$DATABASE";
const std::string kClientByCode = "SELECT * FROM CONTATOS WHERE CON_CODIGO = :CON_CODIGO";
const std::string kEmployeeByBadge = "SELECT * FROM FUNCIONARIOS WHERE FUN_COMANDA = :FUN_COMANDA";
const std::string kCommissionById = "SELECT * FROM CAIXAFUN WHERE CAI_ID = :CAI_ID";
const std::string kTabTotals =
    "SELECT SUM(CIN_QTDE) AS QTDE, SUM(CIN_QTDE*(CIN_VALOR-CIN_DESCONTO+CIN_ACRESCIMO)) AS TOTAL\n"
    "FROM COMANDASITENS WHERE COM_CODIGO = :COM_CODIGO";
const std::string kServerMoment = "SELECT D.DATA, T.HORA FROM SP_SERVERDATE D CROSS JOIN SP_SERVERTIME T";
const std::string kComandaLog =
    "EXECUTE PROCEDURE SP_ADDCOMANDALOG(:DATA, :HORA, :NUMERO, :QTDE, :TOTAL, :PDV, :MENSAGEM, :CLIENTE, :ORIGEM)";

const std::string kWhereTabNumber = " WHERE COM_NUMERO = :COM_NUMERO";
// Both keys descending, so the engine walks the items' index from the tab's
// last item and stops there.
const std::string kWhereLastItemOfTab =
    " WHERE COM_CODIGO = :COM_CODIGO ORDER BY COM_CODIGO DESC, CIN_CODIGO DESC ROWS 1";

std::string SelectAllFrom(const std::string& table) { return "SELECT * FROM " + table; }

}  // namespace StoreStatements
