// A session host for window tests without an event loop of its own: hand-overs run at once.
#pragma once

#include "core/player_session.h"

namespace velk::app::test {

class InlineHost : public SessionHost {
  public:
    void SetClockRunning(bool) override {}
    void PostToOwner(std::function<void()> task) override { task(); }
    void PumpEvents() override {}
};

}  // namespace velk::app::test
