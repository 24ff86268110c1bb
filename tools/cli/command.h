// Subcommands of velkaro-cli register themselves with a static Registration object, so each
// lives in a file of its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velk::cli {

struct Command {
    std::string name;
    std::string usage;  // one line: arguments and options
    std::function<int(const std::vector<std::string>& args)> run;  // exit code
};

std::vector<Command>& commands();

struct Registration {
    explicit Registration(Command command) { commands().push_back(std::move(command)); }
};

// "error N: subject: what N means" on stderr for the engine's last error, `subject` naming the
// file or the operation it concerns; returns 1 for the exit code.
int reportEngineError(const std::string& subject);

}  // namespace velk::cli
