// Every program of the package answers --help and --version on standard
// output with exit status 0, with no display, no database and nothing
// written beside it; the window program without a display says so in one
// line instead of starting.
#include "ChildProcess.h"
#include "QuorvelVersion.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Answer {
    const char* program;
    std::vector<std::string> arguments;
    int status;
    std::string output;  // what standard output starts with
    std::string errors;  // what standard error starts with
};

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

size_t LineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST(CommandLineConventions, EveryProgramAnswersWithoutDisplayOrSideEffects) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        unsetenv(name);
    const std::string version = QUORVEL_VERSION;
    const Answer answers[] = {
        {"Quorvel", {"--help"}, 0, "uso: Quorvel [CFG=ARQUIVO] [--terminal N]\n", ""},
        {"Quorvel", {"CFG=/nowhere/a.ini", "--headless", "-h"}, 0, "uso: Quorvel ", ""},
        {"Quorvel", {"--version"}, 0, "Quorvel " + version + "\n", ""},
        {"Quorvel", {}, 2, "", "Quorvel: nenhuma tela encontrada"},
        {"Quorvel", {"--terminal", "0"}, 2, "", "Quorvel: nenhuma tela encontrada"},
        {"quorvel-scramble", {"--help"}, 0, "uso: quorvel-scramble [--] TEXTO\n", ""},
        {"quorvel-scramble", {"--version"}, 0, "quorvel-scramble " + version + "\n", ""},
        {"quorvel-scramble", {}, 2, "", "uso: quorvel-scramble"},
        {"terminal-simulator", {"--help"}, 0, "usage: terminal-simulator --listen", ""},
        {"terminal-simulator", {"--version"}, 0, "terminal-simulator " + version + "\n", ""},
        {"terminal-simulator", {"--headless"}, 2, "", "terminal-simulator: --listen is required"},
        {"quorvel-cmd", {"--help"}, 0, "Uso: quorvel-cmd ", ""},
        {"quorvel-cmd", {"--version"}, 0, "quorvel-cmd " + version + "\n", ""},
    };
    for (const auto& answer : answers) {
        std::string trace = answer.program;
        for (const auto& argument : answer.arguments)
            trace += " " + argument;
        SCOPED_TRACE(trace);
        // The program alone in a folder of its own, where it would find and
        // write its files.
        const TemporaryFolder folder("quorvel-answer");
        const fs::path program = folder.Path() / answer.program;
        fs::copy_file(BuiltProgramsFolder() / answer.program, program);
        const TemporaryFolder outputs("quorvel-answer-output");
        ChildProcess child(program, answer.arguments, outputs.Path() / "out", outputs.Path() / "err");

        EXPECT_EQ(child.Wait(30s), answer.status);
        const std::string output = FileText(outputs.Path() / "out");
        const std::string errors = FileText(outputs.Path() / "err");
        EXPECT_EQ(output.rfind(answer.output, 0), 0u) << output;
        EXPECT_EQ(errors.rfind(answer.errors, 0), 0u) << errors;
        if (answer.errors.empty()) {
            EXPECT_EQ(errors, "");
        }
        if (answer.program == std::string("Quorvel") && answer.status == 2) {
            EXPECT_EQ(LineCount(errors), 1u) << errors;
        }
        EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{answer.program});
    }
}

}  // namespace
