#pragma once
// One attachment to a Firebird database. The connection string is either a
// plain file path (opened by the embedded engine) or "host:path" (through the
// server). The connection string, the user and the password are UTF-8, as
// file names are on this system, whatever the program's locale; the server
// gets them as UTF-8 too. The data crosses the connection in Windows-1252
// (lc_ctype=win1252).
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Database {
public:
    // An engine call on an open connection that has waited this long for
    // the server is taken for a stalled link: the connection's client side
    // is closed and the call fails as a lost connection. No call of this
    // program waits that long on a working link (the transactions do not
    // wait on locks; the one that does, the look-up after a lost commit,
    // waits less).
    static constexpr std::chrono::seconds StalledCallBound{6};

    Database();
    // Opens the attachment at once; throws DatabaseError when it fails.
    Database(const std::string& connectionString, const std::string& user, const std::string& password);
    ~Database();
    // A database outlives the Transaction objects made on it.
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the attachment; an open one is closed first. Throws
    // DatabaseError with the engine's message when it cannot be opened.
    // The settings of the last successful Open are kept for Reconnect.
    void Open(const std::string& connectionString, const std::string& user, const std::string& password);

    // What Open() without arguments attaches to: the connection string, and
    // "name=value" parameter lines in order, the names user_name, password
    // and lc_ctype (in any case; a later line wins over an earlier one).
    std::string DatabaseName;
    std::vector<std::string> Params;
    // Opens DatabaseName with Params; an open attachment is closed first.
    // Throws DatabaseError when it cannot be opened or a line names another
    // parameter.
    void Open();
    // Drops the attachment, working or broken, and opens a new one with the
    // name and parameters of the last successful Open (either form). Throws DatabaseError when it
    // cannot be opened, std::logic_error when nothing was opened before.
    void Reconnect();
    // Rolls back the transactions of this connection (they start again on
    // demand after the next Open) and detaches. Does nothing when not open.
    void Close() noexcept;
    bool IsOpen() const;
    // Closes the connection's client side at once; may be called from any
    // thread, also while another runs a call on it (which then fails as a
    // lost connection, as does every later call until the next Open or
    // Reconnect). The server rolls back what was not committed. Does nothing
    // when not open.
    void Abort() noexcept;

    // Creates a new, empty database with DEFAULT CHARACTER SET WIN1252 and
    // leaves it open. Throws DatabaseError.
    void Create(const std::string& connectionString, const std::string& user, const std::string& password);

    // The engine's handles: defined, and reached through HandlesOf, only
    // inside this layer.
    struct Handles;

private:
    friend Handles& HandlesOf(const Database& database);

    // Open and Create in one: attaches to, or creates, the database with
    // these parameter bytes.
    void Attach(const std::string& connectionString, const std::vector<unsigned char>& parameters, bool create);

    std::unique_ptr<Handles> handles_;
    // Attaches and keeps the name and parameters for Reconnect.
    void AttachRemembered(const std::string& connectionString, const std::vector<unsigned char>& parameters);

    struct Settings {
        std::string connectionString;
        std::vector<unsigned char> parameters;
    };
    std::optional<Settings> lastOpened_;
};
