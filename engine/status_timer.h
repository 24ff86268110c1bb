// The periodic status timer: a thread on the steady clock that calls the user's procedure with
// the state, bit rate and position, never re-entering while a tick still runs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace velk {

class StatusTimer {
  public:
    using Tick = std::function<void()>;

    ~StatusTimer();

    // False while a timer is active or when the period is not positive.
    bool start(int periodMs, Tick tick);
    // False when none is active.
    bool stop();
    bool active() const { return active_; }

  private:
    void run(int periodMs);

    std::thread thread_;
    std::mutex lock_;
    std::condition_variable wake_;
    Tick tick_;
    std::atomic<bool> active_{false};
    std::atomic<bool> suspended_{false};
    bool quit_ = false;
};

}  // namespace velk
