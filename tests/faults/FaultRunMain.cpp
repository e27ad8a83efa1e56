// A seeded fault run of the built service:
//   fault_run --seed N --seconds D [--terminals T]
// draws steps from the seed for D seconds, then checks what every reply
// promised, and prints one summary line. A run with violations prints them,
// the command that replays it and its schedule, and exits 1.
#include "FaultRunner.h"

#include <iostream>
#include <stdexcept>

namespace {

struct Options {
    std::uint64_t seed = 1;
    int seconds = 30;
    int terminals = 2;
};

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--seed")
            options.seed = std::stoull(value);
        else if (name == "--seconds")
            options.seconds = std::stoi(value);
        else if (name == "--terminals")
            options.terminals = std::stoi(value);
        else
            throw std::invalid_argument("unknown option " + name);
    }
    if (argc % 2 == 0 || options.seconds < 1 || options.terminals < 1 || options.terminals > 200)
        throw std::invalid_argument("usage: fault_run --seed N --seconds D [--terminals T]");
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = Parse(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    // Far more products than the adds of the run can key.
    FaultRig rig(options.terminals, 200 + options.seconds * options.terminals);
    if (!rig.Started(std::chrono::seconds(120))) {
        std::cerr << "the service did not serve every terminal:\n" << rig.ProgramOutput() << rig.ProgramErrors();
        return 1;
    }
    FaultRunner runner(rig);
    FaultScheduleMaker maker(options.seed, options.terminals);
    const auto end = FaultRunner::Clock::now() + std::chrono::seconds(options.seconds);
    while (FaultRunner::Clock::now() < end && !runner.ServiceEnded()) {
        const FaultStep step = maker.Next();
        if (maker.ProductsUsed() > rig.Products())
            break;
        runner.Run(step);
    }
    runner.Finish();
    std::cout << "fault run: seed " << options.seed << ", " << options.seconds << " s, " << options.terminals
              << " terminals, " << runner.Tally() << std::endl;
    if (runner.Violations().empty())
        return 0;
    for (const auto& violation : runner.Violations())
        std::cout << "violation: " << violation << "\n";
    std::cout << "replay: fault_run --seed " << options.seed << " --seconds " << options.seconds << " --terminals "
              << options.terminals << "\nschedule:\n";
    for (const auto& step : runner.Schedule())
        std::cout << "  " << step << "\n";
    std::cout << "service output:\n" << rig.ProgramOutput() << "service errors:\n" << rig.ProgramErrors();
    return 1;
}
