#include "ShopFolder.h"

#include "QZ_CRIPTO.h"
#include "WaitUntil.h"

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

LiveTerminal::LiveTerminal(const fs::path& folder, const std::string& name, const std::string& address, int port) {
    const fs::path keys = folder / (name + ".keys");
    mkfifo(keys.c_str(), 0600);
    // Read and write, so opening does not wait for a reader and the
    // simulator sees the end of its input only when End closes it.
    pipe_ = open(keys.c_str(), O_RDWR | O_CLOEXEC);
    process_ = std::make_unique<ChildProcess>(
        BuiltProgramsFolder() / "terminal-simulator",
        std::vector<std::string>{"--listen", address + ":" + std::to_string(port), "--headless"},
        folder / (name + ".out"), folder / (name + ".err"), keys);
}

LiveTerminal::~LiveTerminal() {
    process_.reset();
    if (pipe_ >= 0)
        close(pipe_);
}

std::optional<int> LiveTerminal::End(std::chrono::milliseconds limit) {
    if (pipe_ >= 0)
        close(pipe_);
    pipe_ = -1;
    return process_->Wait(limit);
}

void LiveTerminal::Type(const std::string& keys) const {
    const std::string line = keys + "\n";
    if (write(pipe_, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        throw std::runtime_error("the simulator's key pipe took no keys");
}

ShopFolder::ShopFolder(const StoreTestDatabase& store) : store_(store) {
    for (const char* file : {"Quorvel", "libbemasb32.so"})
        fs::copy_file(BuiltProgramsFolder() / file, folder_ / file);
    store.SeedBasicShop();
    store.Execute(
        "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1) "
        "VALUES (1, '2526', 'CAFE', 0, 4.50)");
    Write("BemaSB32.ini", TerminalFile({"0=127.0.0.1", "1=127.0.0.2"}));
    Write("Quorvel.ini", "[TECLAS]\nA=2526#13\n[TECLASESPECIAIS]\n02=200\n[ACOESESPECIAIS]\n02=6\n" +
                             ConnectionSection(store.ConnectionString()));
}

void ShopFolder::Write(const std::string& name, const std::string& content) const {
    std::ofstream(folder_ / name, std::ios::binary) << content;
}

std::string ShopFolder::ConnectionSection(const std::string& connectionString) const {
    const size_t colon = connectionString.find(':');
    return "[IBCONFIG]\nIP=" + connectionString.substr(0, colon) + "\nLOCAL=" + connectionString.substr(colon + 1) +
           "\nUSUARIO=" + Scramble(store_.User(), "VELASTRO") + "\nSENHA=" + Scramble(store_.Password(), "VELASTRO") +
           "\nUSACONFIG=1\n";
}

std::string ShopFolder::TerminalFile(const std::vector<std::string>& entries) const {
    std::string text = "[FIT]\nPROTOCOLO=0\n[Terminais]\nPorta=" + std::to_string(port_) + "\n";
    for (const auto& entry : entries)
        text += entry + "\n";
    return text;
}

ChildProcess ShopFolder::Program(const std::vector<std::string>& arguments, const std::string& name) const {
    std::vector<std::string> all{"--headless"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return Run(all, name);
}

ChildProcess ShopFolder::Run(const std::vector<std::string>& arguments, const std::string& name) const {
    return ChildProcess(folder_ / "Quorvel", arguments, folder_ / (name + ".out"), folder_ / (name + ".err"));
}

ChildProcess ShopFolder::Terminal(const std::string& name, const std::string& address, const std::string& keys,
                                  int lingerMs) const {
    Write(name + ".keys", keys);
    return ChildProcess(
        BuiltProgramsFolder() / "terminal-simulator",
        {"--listen", address + ":" + std::to_string(port_), "--headless", "--linger", std::to_string(lingerMs)},
        folder_ / (name + ".out"), folder_ / (name + ".err"), folder_ / (name + ".keys"));
}

std::unique_ptr<LiveTerminal> ShopFolder::Live(const std::string& name, const std::string& address) const {
    return std::make_unique<LiveTerminal>(folder_, name, address, port_);
}

bool ShopFolder::WaitFor(const std::string& name, const std::string& text, std::chrono::seconds limit) const {
    return WaitForCount(name, text, 1, limit);
}

bool ShopFolder::WaitForCount(const std::string& name, const std::string& text, int count,
                              std::chrono::seconds limit) const {
    return WaitUntil([&] { return Occurrences(Output(name), text) >= count; }, limit);
}

bool ShopFolder::WaitForInOrder(const std::string& name, const std::vector<std::string>& lines,
                                std::chrono::seconds limit) const {
    return WaitUntil([&] { return ShowsInOrder(Output(name), lines); }, limit);
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}
