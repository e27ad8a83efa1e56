// Quorvel --check on a shop's program folder: a line per item, the exit
// status, and not a byte of any settings file changed.
#include "ShopFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Something that takes connections at 127.0.0.1:port, as a terminal does.
class LoopbackListener {
public:
    explicit LoopbackListener(int port) : socket_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        const int yes = 1;
        setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(socket_, 4) != 0)
            throw std::runtime_error("cannot listen on the terminal port");
    }
    ~LoopbackListener() { close(socket_); }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

private:
    int socket_;
};

// Every file of the folder with its bytes.
std::map<std::string, std::string> FolderFiles(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = FileText(entry.path());
    return files;
}

struct CheckCase {
    const char* name;
    std::vector<std::string> terminals;  // "key=address" lines of "BemaSB32.ini"
    const char* connection;              // "good", "blank IP", "missing database"
    std::vector<std::string> arguments;  // after "--check"
    int status;
    std::vector<std::string> lines;  // what the output shows, in this order ("@" for the folder)
};

class ConfigurationCheck : public ::testing::Test {
protected:
    StoreTestDatabase store{StoreTestDatabase::Access::Server};
    ShopFolder shop{store};
    LoopbackListener terminal{shop.Port()};

    std::string Connection(const std::string& kind) const {
        if (kind == "missing database")
            return shop.ConnectionSection(shop.MissingDatabase());
        std::string section = shop.ConnectionSection(store.ConnectionString());
        if (kind == "blank IP")
            section.replace(section.find("IP=127.0.0.1"), 12, "IP=   ");
        return section;
    }
    // A file holding the login, as the program makes one: not for others.
    void KeepPrivate(const std::string& name) const {
        fs::permissions(shop.Path() / name, fs::perms::others_all, fs::perm_options::remove);
    }
    std::string WithFolder(std::string line) const {
        for (size_t at; (at = line.find('@')) != std::string::npos;)
            line.replace(at, 1, shop.Path().string());
        return line;
    }
};

TEST_F(ConfigurationCheck, ReportsEachItemWithItsOriginAndWritesNoFile) {
    const std::string port = std::to_string(shop.Port());
    const CheckCase cases[] = {
        {"everything usable, a blank IP taken as this computer",
         {"0=127.0.0.1"},
         "blank IP",
         {},
         0,
         {"OK   biblioteca do terminal carregada",
          "OK   banco de dados 127.0.0.1:", "OK   configura\xC3\xA7\xC3\xA3o da loja lida (tabela CONFIGURA)",
          "OK   terminal 0 em 127.0.0.1:" + port + " aceita conex\xC3\xA3o (@/BemaSB32.ini [Terminais] 0)"}},
        {"a terminal that takes no connection",
         {"0=127.0.0.1", "1=127.0.0.2"},
         "good",
         {},
         1,
         {"OK   terminal 0 em 127.0.0.1:" + port,
          "ERRO terminal 1 em 127.0.0.2:" + port + ": conex\xC3\xA3o recusada (@/BemaSB32.ini [Terminais] 1)"}},
        {"no such database",
         {"0=127.0.0.1"},
         "missing database",
         {},
         1,
         {"ERRO banco de dados 127.0.0.1:@/missing.fdb n\xC3\xA3o conectado: ",
          "(@/Quorvel.ini [IBCONFIG] IP, LOCAL, USUARIO, SENHA, USACONFIG)"}},
        {"CFG= names the file that holds the connection",
         {"0=127.0.0.1"},
         "missing database",
         {"CFG=" + (shop.Path() / "loja.ini").string()},
         0,
         {"OK   banco de dados 127.0.0.1:"}},
        {"no terminal settings", {}, "good", {}, 1, {"ERRO arquivo n\xC3\xA3o encontrado: @/BemaSB32.ini"}},
        {"a key the library cannot address",
         {"0=127.0.0.1", "0256=127.0.0.1"},
         "good",
         {},
         1,
         {"ERRO a chave 0256 n\xC3\xA3o \xC3\xA9 um terminal que a biblioteca atende, que s\xC3\xA3o as chaves 0 a 255 "
          "(@/BemaSB32.ini [Terminais] 0256)"}},
    };
    shop.Write("loja.ini", Connection("good"));
    KeepPrivate("loja.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(shop.Path() / "BemaSB32.ini");
        if (!c.terminals.empty())
            shop.Write("BemaSB32.ini", shop.TerminalFile(c.terminals));
        shop.Write("Quorvel.ini", Connection(c.connection));
        KeepPrivate("Quorvel.ini");
        const auto before = FolderFiles(shop.Path());

        std::vector<std::string> arguments{"--check"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        ChildProcess check = shop.Run(arguments, "check");
        EXPECT_EQ(check.Wait(60s), c.status);

        const std::string output = shop.Output("check.out");
        size_t from = 0;
        for (const auto& line : c.lines) {
            from = output.find(WithFolder(line), from);
            EXPECT_NE(from, std::string::npos) << WithFolder(line) << "\n" << output;
        }
        auto after = FolderFiles(shop.Path());
        after.erase("check.out");
        after.erase("check.err");
        auto expected = before;
        expected.erase("check.out");
        expected.erase("check.err");
        EXPECT_EQ(after, expected);
    }
}

TEST_F(ConfigurationCheck, ReportsALoginOthersCanRead) {
    shop.Write("BemaSB32.ini", shop.TerminalFile({"0=127.0.0.1"}));
    shop.Write("Quorvel.ini", Connection("good"));
    fs::permissions(shop.Path() / "Quorvel.ini", fs::perms::others_read, fs::perm_options::add);

    ChildProcess check = shop.Run({"--check"}, "check");
    EXPECT_EQ(check.Wait(60s), 1);
    const std::string expected = WithFolder(
        "ERRO @/Quorvel.ini guarda o usu\xC3\xA1rio e a senha do banco de dados e pode ser lido por outros "
        "usu\xC3\xA1rios");
    EXPECT_NE(shop.Output("check.out").find(expected), std::string::npos) << shop.Output("check.out");
    EXPECT_NE(shop.Output("check.out").find("OK   banco de dados 127.0.0.1:"), std::string::npos);
}

}  // namespace
