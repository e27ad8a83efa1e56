#include "ChildProcess.h"

#include "WaitUntil.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& output, const std::filesystem::path& errors,
                           const std::filesystem::path& input) {
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    const std::string source = input.empty() ? "/dev/null" : input.string();
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, source.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string name = program.string();
    std::vector<char*> argv{const_cast<char*>(name.c_str())};
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, name.c_str(), &files, nullptr, argv.data(), environ) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&files);
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void ChildProcess::Signal(int signal) const {
    if (pid_ > 0)
        kill(pid_, signal);
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds limit) {
    std::optional<int> exitStatus;
    WaitUntil(
        [&] {
            int status = 0;
            if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            }
            return pid_ <= 0;
        },
        limit, std::chrono::milliseconds(20));
    return exitStatus;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool ShowsInOrder(const std::string& text, const std::vector<std::string>& lines) {
    size_t from = 0;
    for (const auto& line : lines) {
        from = text.find(line + "\n", from);
        if (from == std::string::npos)
            return false;
        from += line.size();
    }
    return true;
}

std::filesystem::path BuiltProgramsFolder() { return std::filesystem::read_symlink("/proc/self/exe").parent_path(); }
