// Runs a fuzz target without a fuzzing engine: every file of the seed corpus
// as it stands, then a fixed number of inputs made from them by seeded
// mutations, so that a run is the same every time and needs no clang.
//
//   fuzz_<target> [--runs N] [--seed S] [--max-length L] CORPUS...
//
// CORPUS is a folder (its files, in name order) or a file. An input that
// fails is written to fuzz-crash-<target> in the current folder.
#include <algorithm>
#include <array>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define QUORVEL_FUZZ_SANITIZED 1
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

struct Options {
    unsigned long runs = 1000;
    unsigned long seed = 1;
    size_t maxLength = 4096;
    std::vector<fs::path> corpus;
};

// What is running now, for the report of a failing input.
struct Current {
    const Bytes* input = nullptr;
    std::string origin;
    std::string crashFile;
} current;

void WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, p, size);
        if (written <= 0)
            return;
        p += written;
        size -= static_cast<size_t>(written);
    }
}

void WriteText(int fd, const std::string& text) { WriteAll(fd, text.data(), text.size()); }

// Saves the running input; called on the way out of a failed run, so it
// keeps to plain system calls.
void SaveCurrentInput() {
    if (!current.input)
        return;
    const int fd = open(current.crashFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        WriteAll(fd, current.input->data(), current.input->size());
        close(fd);
    }
    WriteText(STDERR_FILENO, "\nfailing input (" + current.origin + ") saved as " + current.crashFile + "\n");
}

void OnFatalSignal(int signal) {
    SaveCurrentInput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void InstallFailureReport() {
#ifdef QUORVEL_FUZZ_SANITIZED
    // The sanitizers report faults themselves and then end the program.
    __sanitizer_set_death_callback(SaveCurrentInput);
    std::signal(SIGABRT, OnFatalSignal);
#else
    for (int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        std::signal(signal, OnFatalSignal);
#endif
}

[[noreturn]] void Usage(const char* program) {
    std::cerr << "usage: " << program << " [--runs N] [--seed S] [--max-length L] CORPUS...\n";
    std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--runs" && hasValue)
            options.runs = std::stoul(argv[++i]);
        else if (argument == "--seed" && hasValue)
            options.seed = std::stoul(argv[++i]);
        else if (argument == "--max-length" && hasValue)
            options.maxLength = std::stoul(argv[++i]);
        else if (argument.starts_with("--"))
            Usage(argv[0]);
        else
            options.corpus.emplace_back(argument);
    }
    if (options.corpus.empty())
        Usage(argv[0]);
    return options;
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> CorpusFiles(const std::vector<fs::path>& places) {
    std::vector<fs::path> files;
    for (const auto& place : places) {
        if (!fs::is_directory(place)) {
            files.push_back(place);
            continue;
        }
        std::vector<fs::path> inFolder;
        for (const auto& entry : fs::directory_iterator(place))
            if (entry.is_regular_file())
                inFolder.push_back(entry.path());
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

// Bytes that mean something to the readers under test: digits, signs and
// separators of numbers, INI punctuation, the display protocol's control
// bytes, and the edges of the byte range.
constexpr std::array<uint8_t, 32> kTellingBytes = {'0',  '1',  '9',  ' ', ',',  '.',  '+',  '-',  ';',  '=',  '[',
                                                   ']',  '\r', '\n', '"', '\'', 0x02, 0x03, 0x1b, 0x00, 0xff, 0x7f,
                                                   0x80, 'E',  'x',  '$', 'P',  'Q',  '#',  'D',  'H',  'J'};

// Seeded mutations. Numbers are drawn straight from the engine (never from
// a distribution, whose results differ between standard libraries).
class Mutator {
public:
    Mutator(unsigned long seed, size_t maxLength) : random_(seed), maxLength_(maxLength) {}

    Bytes Mutate(Bytes input, const std::vector<Bytes>& corpus) {
        const size_t steps = 1 + Below(5);
        for (size_t i = 0; i < steps; ++i)
            Step(input, corpus);
        if (input.size() > maxLength_)
            input.resize(maxLength_);
        return input;
    }

    size_t Below(size_t bound) { return bound == 0 ? 0 : static_cast<size_t>(random_() % bound); }

private:
    uint8_t AnyByte() { return static_cast<uint8_t>(random_()); }
    uint8_t TellingByte() { return kTellingBytes[Below(kTellingBytes.size())]; }

    void Step(Bytes& input, const std::vector<Bytes>& corpus) {
        const size_t at = Below(input.size() + 1);
        switch (Below(8)) {
        case 0:
            if (at < input.size())
                input[at] ^= static_cast<uint8_t>(1u << Below(8));
            break;
        case 1:
            if (at < input.size())
                input[at] = AnyByte();
            break;
        case 2:
            if (at < input.size())
                input[at] = TellingByte();
            break;
        case 3:
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), Below(2) ? TellingByte() : AnyByte());
            break;
        case 4: {
            const size_t count = std::min(input.size() - at, 1 + Below(8));
            input.erase(input.begin() + static_cast<std::ptrdiff_t>(at),
                        input.begin() + static_cast<std::ptrdiff_t>(at + count));
            break;
        }
        case 5: InsertPiece(input, at, Bytes(input)); break;
        case 6: InsertPiece(input, at, corpus[Below(corpus.size())]); break;
        default: input.resize(at); break;
        }
    }

    // A run of up to 64 bytes of `from` put in at `at`.
    void InsertPiece(Bytes& input, size_t at, const Bytes& from) {
        if (from.empty())
            return;
        const size_t start = Below(from.size());
        const size_t count = std::min(from.size() - start, 1 + Below(64));
        input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), from.begin() + static_cast<std::ptrdiff_t>(start),
                     from.begin() + static_cast<std::ptrdiff_t>(start + count));
    }

    std::mt19937_64 random_;
    size_t maxLength_;
};

void Run(const Bytes& input, std::string origin) {
    current.input = &input;
    current.origin = std::move(origin);
    LLVMFuzzerTestOneInput(input.data(), input.size());
    current.input = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    current.crashFile = "fuzz-crash-" + fs::path(argv[0]).filename().string();
    InstallFailureReport();

    std::vector<Bytes> corpus;
    for (const auto& file : CorpusFiles(options.corpus)) {
        corpus.push_back(ReadFile(file));
        Run(corpus.back(), "seed file " + file.string());
    }
    if (corpus.empty())
        corpus.emplace_back();

    Mutator mutator(options.seed, options.maxLength);
    Bytes previous = corpus.front();
    for (unsigned long run = 1; run <= options.runs; ++run) {
        // Half the time the last mutant goes on mutating, to reach deeper.
        Bytes start = mutator.Below(2) ? previous : corpus[mutator.Below(corpus.size())];
        previous = mutator.Mutate(std::move(start), corpus);
        Run(previous, "mutation " + std::to_string(run) + " of --seed " + std::to_string(options.seed));
    }
    std::cout << corpus.size() << " seed inputs and " << options.runs << " mutations (--seed " << options.seed
              << ") ran without a fault\n";
    return 0;
}
