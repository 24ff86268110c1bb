// The power actions of the sleep timer, behind a port so that tests never power anything off.
#pragma once

#include <string>

namespace velk::app {

class PowerRunner {
  public:
    virtual ~PowerRunner() = default;
    // Runs "systemctl <verb>" (no force); false when the system refuses or it cannot run.
    virtual bool Run(const std::string& verb) = 0;
};

// The real one: systemctl through the search path, waited for.
class SystemctlRunner : public PowerRunner {
  public:
    bool Run(const std::string& verb) override;
};

// "poweroff", "hibernate" or "suspend" for a power kind; nullptr for stopping playback only.
const char* SystemctlVerbOfSleepKind(int kind);

}  // namespace velk::app
