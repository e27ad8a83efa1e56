#include "StoreTestDatabase.h"

#include "Database.h"
#include "Transaction.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string EnvironmentOr(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

void RunShell(const std::string& command) {
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("command failed: " + command);
}

// Creates a database at `connection` and runs the shop script on it.
void BuildShopDatabase(const std::string& connection, const std::string& user, const std::string& password) {
    Database database;
    database.Create(connection, user, password);
    database.Close();
    const std::string login = "-user '" + user + "'" + (password.empty() ? "" : " -password '" + password + "'");
    RunShell("isql-fb -q -bail " + login + " -i '" QUORVEL_SHOP_SCRIPT "' '" + connection + "' >/dev/null");
}

// Sets whether the database's commits wait for the disk (forced writes).
void SetWrites(StoreTestDatabase::Writes writes, const std::string& service, const std::string& file,
               const std::string& login) {
    const char* mode = writes == StoreTestDatabase::Writes::Forced ? "prp_wm_sync" : "prp_wm_async";
    RunShell("fbsvcmgr " + service + " " + login + " action_properties dbname '" + file + "' prp_write_mode " + mode +
             " >/dev/null");
}

std::string FileContents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The embedded template every embedded test database is copied from, kept
// in the build folder under a name that changes with the shop script, so
// test programs (and parallel runs) build it once.
const fs::path& EmbeddedTemplate() {
    static const fs::path path = [] {
        const std::size_t version = std::hash<std::string>{}(FileContents(QUORVEL_SHOP_SCRIPT));
        const fs::path cached = fs::path(QUORVEL_TEMPLATE_FOLDER) / ("shop-" + std::to_string(version) + ".fdb");
        if (fs::exists(cached))
            return cached;
        const TemporaryFolder scratch("quorvel-store");
        const std::string built = scratch.PathOf("template.fdb");
        BuildShopDatabase(built, "SYSDBA", "");
        SetWrites(StoreTestDatabase::Writes::Deferred, "service_mgr", built, "-user SYSDBA");
        fs::create_directories(cached.parent_path());
        fs::rename(built, cached);  // atomic: a parallel build simply wins or loses
        return cached;
    }();
    return path;
}

}  // namespace

StoreTestDatabase::StoreTestDatabase(Access access, Writes writes) {
    const fs::path file = folder_.Path() / "DBEMPRESA.FDB";
    if (access == Access::Embedded) {
        user_ = "SYSDBA";
        fs::copy_file(EmbeddedTemplate(), file);
        connectionString_ = file.string();
        if (writes == Writes::Forced)
            SetWrites(writes, "service_mgr", connectionString_, "-user SYSDBA");
    } else {
        user_ = EnvironmentOr("QUORVEL_TEST_USER", "QUORVEL_TEST");
        password_ = EnvironmentOr("QUORVEL_TEST_PASSWORD", "qztest");
        MakeThroughServer("127.0.0.1", writes);
    }
}

StoreTestDatabase::StoreTestDatabase(const std::string& server, const std::string& user, const std::string& password)
    : user_(user), password_(password) {
    MakeThroughServer(server, Writes::Deferred);
}

void StoreTestDatabase::MakeThroughServer(const std::string& server, Writes writes) {
    // The server runs as its own user and must be able to write here.
    fs::permissions(folder_.Path(), fs::perms::all);
    const std::string file = folder_.PathOf("DBEMPRESA.FDB");
    connectionString_ = server + ":" + file;
    BuildShopDatabase(connectionString_, user_, password_);
    SetWrites(writes, server + ":service_mgr", file, "-user '" + user_ + "' -password '" + password_ + "'");
}

StoreTestDatabase::~StoreTestDatabase() = default;

RowSet StoreTestDatabase::Rows(const std::string& sql) const {
    // A connection of its own each time: the embedded engine gives a file to
    // one process at a time, and other programs under test open it too.
    Database database(connectionString_, user_, password_);
    Transaction transaction(database);
    RowSet rows = Statement(transaction, sql).Run();
    transaction.Commit();
    return rows;
}

void StoreTestDatabase::Execute(const std::string& sql) const { Rows(sql); }

FieldValue StoreTestDatabase::Value(const std::string& sql) const {
    const RowSet rows = Rows(sql);
    return rows.rows.empty() ? FieldValue() : rows.rows[0].at(0);
}

void StoreTestDatabase::SeedBasicShop() const {
    Execute("INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_ATIVO, CON_TABELA) VALUES (1, 'CONSUMIDOR', 0, 0)");
    Execute("INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_ATIVO, FUN_COMANDA) VALUES (1, 'CAIXA', 0, 1)");
    Execute(
        "INSERT INTO CONFIGURA (CFG_PDV_VALORMAXCOMANDA, CFG_PDV_BALANCA, CON_CODIGO_CONSUMIDOR, "
        "FUN_CODIGO_CAIXA, CFG_PDV_ACRESCPORC) VALUES (0, '', 1, 1, 0)");
}
