#pragma once
// The SQL texts of the data module: the base selects its cursors carry, the
// insert, update and refresh statements of the tables the program writes,
// the settings select, and the reads and calls of the order-tab operations.
// Values always go in as ":NAME" parameters, so each text is prepared once.
#include "EditableDataSet.h"

#include <string>

namespace StoreStatements {

extern const std::string kComandaSelect;  // COMANDAS joined with CONTATOS, three lines
extern const std::string kComandaInsert;
extern const UpdateStatement kComandaUpdate;
extern const std::string kComandaRefresh;
// Locks the tab's row (parameter COM_CODIGO) until the transaction's next
// commit or rollback and reads what other terminals may have changed: its
// totals, price table, client (with the client's credit) and employee.
extern const std::string kComandaLock;

extern const std::string kItemSelect;
extern const std::string kItemInsert;
extern const UpdateStatement kItemUpdate;

extern const std::string kCommissionInsert;

extern const std::string kSettingsSelect;
// The turn to create a tab (TabCreationTurn). On a store without the
// terminals' table: the settings row, locked until the transaction's next
// commit or rollback, and its read that waits for the holder. A row when
// the table is there. With the table: number NUMERO's row, written (so
// held) and read.
extern const std::string kTabCreationLock;
extern const std::string kTabCreationHolder;
extern const std::string kTabCreationTable;
extern const std::string kTabNumberTurn;
extern const std::string kTabNumberHolder;

// Reads of the order-tab operations, each with its parameters.
extern const std::string kProductByBarcode;  // PRO_CODBARRAS
extern const std::string kProductByCode;     // PRO_CODIGO
extern const std::string kPrice;             // PRODUTO, TABELA; gives VALOR
extern const std::string kBlockedNumber;     // CBL_NUMERO
extern const std::string kTabNumber;         // COM_NUMERO; gives COM_NUMERO
// Whether tab number NUMERO is blocked (CBL_NUMERO not null) and whether it
// exists (COM_NUMERO not null), in one read.
extern const std::string kTabNumberStatus;
extern const std::string kClientByCode;     // CON_CODIGO
extern const std::string kEmployeeByBadge;  // FUN_COMANDA
extern const std::string kCommissionById;   // CAI_ID
// QTDE and TOTAL of the items of tab COM_CODIGO, in one pass.
extern const std::string kTabTotals;
// DATA and HORA from SP_SERVERDATE and SP_SERVERTIME, in one read.
extern const std::string kServerMoment;
// SP_ADDCOMANDALOG with DATA, HORA, NUMERO, QTDE, TOTAL, PDV, MENSAGEM,
// CLIENTE and ORIGEM.
extern const std::string kComandaLog;

// Clauses appended to the base selects of COM and CIN: a tab by its number
// (COM_NUMERO), the last item of a tab (COM_CODIGO).
extern const std::string kWhereTabNumber;
extern const std::string kWhereLastItemOfTab;

// "SELECT * FROM <table>": the initial select of the read-only cursors.
std::string SelectAllFrom(const std::string& table);

}  // namespace StoreStatements
