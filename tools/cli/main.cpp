// velkaro-cli: the command-line front end of the playback engine.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/error_text.h"
#include "velk.h"

namespace velk::cli {

std::vector<Command>& commands() {
    static std::vector<Command> list;
    return list;
}

int reportEngineError(const std::string& subject) {
    const int code = velk_getLastErrorNo();
    std::fprintf(stderr, "error %d: %s: %s\n", code, subject.c_str(), engineErrorText(code));
    return 1;
}

}  // namespace velk::cli

namespace {

void printHelp() {
    auto list = velk::cli::commands();
    std::sort(list.begin(), list.end(), [](auto& a, auto& b) { return a.name < b.name; });
    std::printf("usage: velkaro-cli COMMAND [ARGS...]\n\ncommands:\n");
    for (const auto& c : list) std::printf("  %s %s\n", c.name.c_str(), c.usage.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp();
        return args.empty() ? 2 : 0;
    }
    for (const auto& c : velk::cli::commands()) {
        if (c.name == args[0]) {
            velk_init();
            int code = c.run(std::vector<std::string>(args.begin() + 1, args.end()));
            velk_free();
            return code;
        }
    }
    std::fprintf(stderr, "unknown command: %s (see --help)\n", args[0].c_str());
    return 2;
}
