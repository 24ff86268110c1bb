#include "core/power_runner.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "core/sleep_timer.h"

extern char** environ;

namespace velk::app {

bool SystemctlRunner::Run(const std::string& verb) {
    std::string program = "systemctl";
    std::string argument = verb;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "systemctl", nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

const char* SystemctlVerbOfSleepKind(int kind) {
    switch (kind) {
        case kSleepPowerOff:
            return "poweroff";
        case kSleepHibernate:
            return "hibernate";
        case kSleepStandBy:
            return "suspend";
        default:
            return nullptr;
    }
}

}  // namespace velk::app
