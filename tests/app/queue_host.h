// A session host for tests: posted tasks wait until the test runs them, pumps are counted, and
// the clock moves on a little at every look.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "core/player_session.h"

namespace velk::app {

// Runs what the engine's thread hands over only when the test says so, as an event loop would.
class QueueHost : public SessionHost {
  public:
    bool clockRunning = false;
    int pumps = 0;
    std::vector<std::function<void()>> posted;
    std::function<void()> onPump;
    std::chrono::steady_clock::time_point now{};

    void SetClockRunning(bool running) override { clockRunning = running; }
    void PostToOwner(std::function<void()> task) override { posted.push_back(std::move(task)); }
    void PumpEvents() override {
        ++pumps;
        if (onPump) onPump();
    }
    // Each look at the clock moves it on, so a pump falls due every few paths.
    std::chrono::steady_clock::time_point Now() override {
        return now += std::chrono::milliseconds(10);
    }
    void RunPosted() {
        auto tasks = std::move(posted);
        posted.clear();
        for (auto& task : tasks) task();
    }
};

}  // namespace velk::app
