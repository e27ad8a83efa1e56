#pragma once
// The data-access routines of the store, all on the shared connection and
// shared transaction that the data module registers before anything else
// runs on its thread. Each routine raises the database error unchanged; the writing
// ones undo their uncommitted work first, so the shared transaction stays
// active and usable. The connection settings are in QZ_DBIBX_SETTINGS.h.
#include "FieldValue.h"

#include <memory>
#include <string>

class Database;
class DataSet;
class EditableDataSet;
class Query;
class Transaction;

// The data module's connection and transaction, borrowed, never owned. Each
// thread has its own pair: a data module registers its pair on the thread
// that creates it (and again on the thread of each command), so several
// data modules, each on a thread of its own, never meet here.
extern thread_local Database* SharedDatabase;
extern thread_local Transaction* SharedTransaction;
// A new query on the shared pair with exactly this text; opened (on its
// first row) when `open` is true. The caller owns it.
std::unique_ptr<Query> CreateQuery(const std::string& sql, bool open);
// The named field of the first row as a number; 0 when it is null or there
// is no row. Throws DatabaseError for a field the result does not hold.
// The parameters fill the text's ":NAME" places.
long double ReadNumber(const std::string& fieldName, const std::string& sql, const SqlParameters& parameters = {});
// The named field of the first row, unconverted; null when there is no row.
FieldValue ReadValue(const std::string& fieldName, const std::string& sql, const SqlParameters& parameters = {});
// PostAndCommit for a store-bound editable data set; any other data set is
// left untouched.
void PostDataSet(DataSet& dataSet);
// Starts the shared transaction when needed, writes the pending record and
// commits retaining. On failure: rollback-retaining, the pending record is
// dropped (the data set shows its row as before), and the error is raised
// again. Inside an open unit of work (WorkUnit) the commit and the rollback
// are the unit's, at its end.
void PostAndCommit(EditableDataSet& dataSet);
// Runs the statements of a script separated by "^" (text after the last
// one runs too). With `plain` false the shared transaction is started when
// needed and the script is committed retaining, or rolled back retaining
// and the error raised again; inside an open unit of work, by the unit.
void RunScript(const std::string& text, bool plain);

// Runs one statement with its parameters in the shared transaction,
// committed or rolled back like RunScript with `plain` false.
void ExecuteSQL(const std::string& sql, const SqlParameters& parameters);
