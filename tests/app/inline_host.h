// A session for window tests over the scripted engine, with its profile in a temporary folder
// and a host without an event loop of its own: hand-overs run at once.
#pragma once

#include <memory>

#include "core/player_session.h"
#include "fake_engine.h"
#include "support/temp_dir.h"

namespace velk::app::test {

class InlineHost : public SessionHost {
  public:
    void SetClockRunning(bool) override {}
    void PostToOwner(std::function<void()> task) override { task(); }
    void PumpEvents() override {}
};

struct ScriptedSession {
    velk::test::TempDir dir;
    FakeEngine engine;
    InlineHost host;
    std::unique_ptr<PlayerSession> session = [this] {
        SessionOptions options;
        options.profileFolder = dir.file("profile");
        return std::make_unique<PlayerSession>(engine, host, options);
    }();
};

}  // namespace velk::app::test
