#pragma once
// A program the test starts and ends: standard input from a file (or
// nothing), standard output and error each to a file. The destructor kills
// a program that is still running and waits for it.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
public:
    // Starts `program` with `arguments` (the program name left out). An
    // empty `input` gives the program an empty standard input.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& output, const std::filesystem::path& errors,
                 const std::filesystem::path& input = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    int Pid() const { return pid_; }
    void Signal(int signal) const;
    // The exit status once the program has ended by itself within the time;
    // none when it is still running then (or ended by a signal: -signal).
    std::optional<int> Wait(std::chrono::milliseconds limit);

private:
    int pid_ = -1;
};

// The whole content of a file; "" when it is missing.
std::string FileText(const std::filesystem::path& path);
// True when the lines appear in the text in this order, each ended by a line
// break; others may come between them (a simulator prints every change).
bool ShowsInOrder(const std::string& text, const std::vector<std::string>& lines);
// The folder of the running test program, where the build puts every program.
std::filesystem::path BuiltProgramsFolder();
