#pragma once
// A shop's program folder for tests of the built program: the program and
// libbemasb32.so copied in, "BemaSB32.ini" with two terminals on loopback
// (127.0.0.1 and 127.0.0.2 at a free port), and the own settings file with
// a letter mapped to a product with "#13" ("A" adds CAFE for 4,50), a
// special code that asks for the tab's total (key code 200) and the
// connection to the shop database.
#include "ChildProcess.h"
#include "FreeLoopbackPort.h"
#include "StoreTestDatabase.h"
#include "TemporaryFolder.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A simulated terminal whose keys the test types while it runs: its
// standard input is a pipe the test holds open, so it serves until the
// test ends its keys or the object goes.
class LiveTerminal {
public:
    LiveTerminal(const std::filesystem::path& folder, const std::string& name, const std::string& address, int port);
    ~LiveTerminal();
    LiveTerminal(const LiveTerminal&) = delete;
    LiveTerminal& operator=(const LiveTerminal&) = delete;

    // One key line ("C21<13>", "<wait 500>A").
    void Type(const std::string& keys) const;
    // Closes the key pipe: the simulator ends once its display stayed
    // unchanged for its linger time (4 s), so a text the program is still
    // writing is taken whole. Its exit status, none when it is still
    // running after `limit`.
    std::optional<int> End(std::chrono::milliseconds limit);

private:
    int pipe_ = -1;
    std::unique_ptr<ChildProcess> process_;
};

class ShopFolder {
public:
    explicit ShopFolder(const StoreTestDatabase& store);

    const std::filesystem::path& Path() const { return folder_; }
    int Port() const { return port_; }
    void Write(const std::string& name, const std::string& content) const;

    // Section "IBCONFIG" for a "host:path" database and the store's login.
    std::string ConnectionSection(const std::string& connectionString) const;
    std::string MissingDatabase() const { return "127.0.0.1:" + (folder_ / "missing.fdb").string(); }
    // "BemaSB32.ini" with these "key=address" lines in "Terminais".
    std::string TerminalFile(const std::vector<std::string>& entries) const;

    // The program with these arguments after "--headless", its output in
    // `name`.out and `name`.err.
    ChildProcess Program(const std::vector<std::string>& arguments, const std::string& name = "program") const;
    // The program with exactly these arguments.
    ChildProcess Run(const std::vector<std::string>& arguments, const std::string& name) const;

    // A simulated terminal at `address`, typing the keys, printing its
    // display to `name`.out; it ends once the display stayed unchanged for
    // `lingerMs` after the last key.
    ChildProcess Terminal(const std::string& name, const std::string& address, const std::string& keys,
                          int lingerMs) const;
    // A simulated terminal the test types on while it runs.
    std::unique_ptr<LiveTerminal> Live(const std::string& name, const std::string& address) const;

    std::string Output(const std::string& name) const { return FileText(folder_ / name); }

    // Waits until the file holds the text; false when it does not within the time.
    bool WaitFor(const std::string& name, const std::string& text, std::chrono::seconds limit) const;
    // Waits until the file holds the text `count` times.
    bool WaitForCount(const std::string& name, const std::string& text, int count, std::chrono::seconds limit) const;
    // Waits until the file holds the lines in this order (see ShowsInOrder).
    bool WaitForInOrder(const std::string& name, const std::vector<std::string>& lines,
                        std::chrono::seconds limit) const;

private:
    const StoreTestDatabase& store_;
    const TemporaryFolder temporary_{"quorvel-headless"};
    const std::filesystem::path& folder_ = temporary_.Path();
    const int port_ = FreeLoopbackPort();
};

// How many times the text occurs.
int Occurrences(const std::string& text, const std::string& part);
