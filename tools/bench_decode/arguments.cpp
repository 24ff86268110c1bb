#include "arguments.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velk::bench {
namespace {

bool readNumber(const char* text, int32_t& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 1000000) return false;
    out = static_cast<int32_t>(value);
    return true;
}

void printUsage() {
    std::fprintf(stderr,
                 "usage: velk-bench-decode FILE [--pcm OUT] [--reduction N] [--convert N] "
                 "[--freq-limit HZ]\n");
}

}  // namespace

bool parseArguments(int argc, char** argv, Arguments& out) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        bool ok = true;
        if (std::strcmp(arg, "--pcm") == 0 && hasValue) {
            out.pcmOutput = argv[++i];
        } else if (std::strcmp(arg, "--reduction") == 0 && hasValue) {
            ok = readNumber(argv[++i], out.options.reduction) && out.options.reduction <= 2;
        } else if (std::strcmp(arg, "--convert") == 0 && hasValue) {
            ok = readNumber(argv[++i], out.options.convert) && out.options.convert <= 11;
        } else if (std::strcmp(arg, "--freq-limit") == 0 && hasValue) {
            ok = readNumber(argv[++i], out.options.freqLimit) && out.options.freqLimit > 0;
        } else if (arg[0] != '-' && out.input.empty()) {
            out.input = arg;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "bad argument: %s\n", arg);
            printUsage();
            return false;
        }
    }
    if (out.input.empty()) {
        printUsage();
        return false;
    }
    return true;
}

}  // namespace velk::bench
