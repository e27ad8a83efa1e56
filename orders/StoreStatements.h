#pragma once
// The SQL texts the data module's cursors carry: the base selects, the
// insert, update and refresh statements of the tables the program writes,
// and the settings select.
#include "EditableDataSet.h"

#include <string>

namespace StoreStatements {

extern const std::string kComandaSelect;   // COMANDAS joined with CONTATOS, three lines
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
// Locks the settings row until the transaction's next commit or rollback:
// the turn of one terminal to create a tab.
extern const std::string kTabCreationLock;

// "SELECT * FROM <table>": the initial select of the read-only cursors.
std::string SelectAllFrom(const std::string& table);

}  // namespace StoreStatements
