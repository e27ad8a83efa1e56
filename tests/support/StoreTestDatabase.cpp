#include "StoreTestDatabase.h"

#include "Database.h"
#include "Transaction.h"

#include <cstdlib>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string EnvironmentOr(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

fs::path NewTemporaryFolder()
{
    std::string pattern = (fs::temp_directory_path() / "quorvel-store-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    // The server runs as its own user and must be able to write here.
    fs::permissions(pattern, fs::perms::all);
    return pattern;
}

void RunShell(const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("command failed: " + command);
}

// Creates a database at `connection` and runs the shop script on it.
void BuildShopDatabase(const std::string& connection, const std::string& user, const std::string& password)
{
    Database database;
    database.Create(connection, user, password);
    database.Close();
    const std::string login = "-user '" + user + "'" + (password.empty() ? "" : " -password '" + password + "'");
    RunShell("isql-fb -q -bail " + login + " -i '" QUORVEL_SHOP_SCRIPT "' '" + connection + "' >/dev/null");
}

// The embedded template every embedded test database is copied from.
const fs::path& EmbeddedTemplate()
{
    static const fs::path path = [] {
        const fs::path file = NewTemporaryFolder() / "template.fdb";
        BuildShopDatabase(file.string(), "SYSDBA", "");
        return file;
    }();
    return path;
}

}  // namespace

StoreTestDatabase::StoreTestDatabase(Access access) : folder_(NewTemporaryFolder())
{
    const fs::path file = folder_ / "DBEMPRESA.FDB";
    if (access == Access::Embedded) {
        user_ = "SYSDBA";
        fs::copy_file(EmbeddedTemplate(), file);
        connectionString_ = file.string();
    } else {
        user_ = EnvironmentOr("QUORVEL_TEST_USER", "QUORVEL_TEST");
        password_ = EnvironmentOr("QUORVEL_TEST_PASSWORD", "qztest");
        connectionString_ = "127.0.0.1:" + file.string();
        BuildShopDatabase(connectionString_, user_, password_);
    }
}

StoreTestDatabase::~StoreTestDatabase()
{
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

RowSet StoreTestDatabase::Rows(const std::string& sql) const
{
    Database database(connectionString_, user_, password_);
    Transaction transaction(database);
    RowSet rows = Statement(transaction, sql).Run();
    transaction.Commit();
    return rows;
}

void StoreTestDatabase::Execute(const std::string& sql) const
{
    Rows(sql);
}

FieldValue StoreTestDatabase::Value(const std::string& sql) const
{
    const RowSet rows = Rows(sql);
    return rows.rows.empty() ? FieldValue() : rows.rows[0].at(0);
}

void StoreTestDatabase::SeedBasicShop() const
{
    Execute("INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_ATIVO, CON_TABELA) VALUES (1, 'CONSUMIDOR', 0, 0)");
    Execute("INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_ATIVO, FUN_COMANDA) VALUES (1, 'CAIXA', 0, 1)");
    Execute("INSERT INTO CONFIGURA (CFG_PDV_VALORMAXCOMANDA, CFG_PDV_BALANCA, CON_CODIGO_CONSUMIDOR, "
            "FUN_CODIGO_CAIXA, CFG_PDV_ACRESCPORC) VALUES (0, '', 1, 1, 0)");
}
