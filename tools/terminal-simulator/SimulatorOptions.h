#pragma once
// The simulator's command line:
//   terminal-simulator --listen ADDRESS:PORT [--protocol 0|1] [--headless]
//                      [--linger MS] [--key NAME=CODE]...
//   terminal-simulator --help | --version
#include "Framing.h"
#include "Keyboard.h"

#include <chrono>
#include <string>

struct SimulatorOptions {
    std::string address;
    int port = 0;
    Framing framing = Framing::StxEtx;
    bool headless = false;
    std::chrono::milliseconds linger{4000};
    Keyboard keyboard;
    // Only the usage or the version is asked for; nothing else is read.
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument naming what is wrong.
SimulatorOptions ParseSimulatorOptions(int argc, const char* const* argv);

extern const char* const kSimulatorUsage;
