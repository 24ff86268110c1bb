// Command line of velk-bench-decode.
#pragma once

#include <string>

#include "velk.h"

namespace velk::bench {

struct Arguments {
    std::string input;
    std::string pcmOutput;  // empty: no PCM written
    DecodeOptions options{0, 0, 24000};
};

// Parses argv; returns false (after printing the reason) on a bad command line.
bool parseArguments(int argc, char** argv, Arguments& out);

}  // namespace velk::bench
