#include "PrivateFirebirdServer.h"

#include "FreeLoopbackPort.h"
#include "WaitUntil.h"

#include <firebird/Interface.h>

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The engine's own folders: its root (messages, character sets, plugins), as
// the client library reports it, and the folder that really holds its
// configuration files (packages keep them apart and link them in).
std::vector<fs::path> EngineFolders() {
    const fs::path root = Firebird::fb_get_master_interface()->getConfigManager()->getRootDirectory();
    return {root, fs::canonical(root / "firebird.conf").parent_path()};
}

bool Accepts(int port) {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool connected = connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return connected;
}

}  // namespace

PrivateFirebirdServer::PrivateFirebirdServer() : port_(FreeLoopbackPort()) {
    fs::create_directory(folder_.Path() / "lock");
    // The engine's files, all but the two configuration files written below.
    const std::vector<fs::path> folders = EngineFolders();
    for (const fs::path& engine : folders) {
        for (const auto& entry : fs::directory_iterator(engine)) {
            const fs::path link = folder_.Path() / entry.path().filename();
            if (engine != folders.front() && entry.path().extension() != ".conf")
                continue;  // of the configuration folder, the configuration files alone
            if (fs::exists(fs::symlink_status(link)))
                continue;
            // The character-set module must lie under the root itself: the
            // engine does not take it through a link.
            if (entry.path().filename() == "intl")
                fs::copy(entry.path(), link, fs::copy_options::recursive);
            else
                fs::create_symlink(entry.path(), link);
        }
    }
    fs::remove(folder_.Path() / "firebird.conf");
    fs::remove(folder_.Path() / "databases.conf");
    const std::string users = (folder_.Path() / "security3.fdb").string();
    std::ofstream(folder_.Path() / "firebird.conf") << "RemoteServicePort = " << port_ << "\n"
                                                    << "RemoteBindAddress = 127.0.0.1\n"
                                                    << "SecurityDatabase = " << users << "\n"
                                                    << "ServerMode = Super\n";
    std::ofstream(folder_.Path() / "databases.conf") << "security.db = " << users << "\n{\n  RemoteAccess = false\n}\n";
    const std::string engine =
        "FIREBIRD='" + folder_.Path().string() + "' FIREBIRD_LOCK='" + (folder_.Path() / "lock").string() + "' ";
    const std::string script = "create database '" + users + "'; commit; connect '" + users +
                               "';\n"
                               "create user " +
                               user_ + " password '" + password_ +
                               "' using plugin Srp;\n"
                               "grant create database to user " +
                               user_ + "; commit;\n";
    std::ofstream(folder_.Path() / "users.sql") << script;
    if (std::system((engine + "isql-fb -q -user SYSDBA -i '" + (folder_.Path() / "users.sql").string() + "' >/dev/null")
                        .c_str()) != 0)
        throw std::runtime_error("cannot create the private server's login");
    Start();
}

PrivateFirebirdServer::~PrivateFirebirdServer() { Stop(); }

std::string PrivateFirebirdServer::Address() const { return "127.0.0.1/" + std::to_string(port_); }

void PrivateFirebirdServer::Start() {
    if (process_ > 0)
        return;
    // Everything the child needs is made before the fork: in a process with
    // threads, the child may only call what is safe after a fork.
    std::vector<std::string> environment = {"FIREBIRD=" + folder_.Path().string(),
                                            "FIREBIRD_LOCK=" + (folder_.Path() / "lock").string()};
    for (char** variable = environ; *variable; ++variable)
        if (!std::string(*variable).starts_with("FIREBIRD"))
            environment.emplace_back(*variable);
    std::vector<char*> pointers;
    for (std::string& variable : environment)
        pointers.push_back(variable.data());
    pointers.push_back(nullptr);
    const int output = open((folder_.Path() / "server.log").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    process_ = fork();
    if (process_ == 0) {
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        execle(QUORVEL_FIREBIRD_SERVER, "firebird", static_cast<char*>(nullptr), pointers.data());
        _exit(127);
    }
    close(output);
    if (process_ < 0)
        throw std::runtime_error("cannot start the private server");
    if (!WaitUntil([this] { return Accepts(port_); }, std::chrono::seconds(10), std::chrono::milliseconds(20)))
        throw std::runtime_error("the private server did not start");
}

void PrivateFirebirdServer::Stop() {
    if (process_ <= 0)
        return;
    // Asked to end, the server may wait for its connections; a server that
    // has not ended in five seconds is ended at once, as a crash would.
    kill(process_, SIGTERM);
    const bool ended = WaitUntil([this] { return waitpid(process_, nullptr, WNOHANG) != 0; }, std::chrono::seconds(5),
                                 std::chrono::milliseconds(20));
    if (!ended) {
        kill(process_, SIGKILL);
        waitpid(process_, nullptr, 0);
    }
    process_ = -1;
}
