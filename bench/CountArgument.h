#pragma once
// The one argument of a benchmark: how many repetitions or seconds to run.
#include "IntegerText.h"

#include <cstdio>
#include <cstdlib>

// The count given as the only argument, or `fallback` without one. Anything
// but a positive whole number ends the program with its usage line, instead
// of a run of zero repetitions that prints no figures worth reading.
inline int CountArgument(int argc, char** argv, int fallback, const char* meaning) {
    if (argc < 2)
        return fallback;
    const auto count = ParseInteger(argv[1]);
    if (argc > 2 || !count || *count < 1) {
        std::fprintf(stderr, "usage: %s [%s, a whole number above 0; default %d]\n", argv[0], meaning, fallback);
        std::exit(2);
    }
    return *count;
}
