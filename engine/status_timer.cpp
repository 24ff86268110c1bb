#include "status_timer.h"

#include <chrono>

namespace velk {
namespace {
// A kill waits this long first, so that a tick that has just begun can finish.
constexpr auto kSettle = std::chrono::milliseconds(50);
}  // namespace

StatusTimer::~StatusTimer() {
    stop();
}

bool StatusTimer::start(int periodMs, Tick tick) {
    if (active_ || periodMs <= 0) return false;
    {
        std::lock_guard lock(lock_);
        quit_ = false;
        tick_ = std::move(tick);
    }
    suspended_ = false;
    active_ = true;
    thread_ = std::thread([this, periodMs] { run(periodMs); });
    return true;
}

bool StatusTimer::stop() {
    if (!active_) return false;
    suspended_ = true;
    std::this_thread::sleep_for(kSettle);
    {
        std::lock_guard lock(lock_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(lock_);
    tick_ = nullptr;
    active_ = false;
    return true;
}

void StatusTimer::run(int periodMs) {
    const auto period = std::chrono::milliseconds(periodMs);
    auto due = std::chrono::steady_clock::now() + period;
    std::unique_lock lock(lock_);
    while (!wake_.wait_until(lock, due, [this] { return quit_; })) {
        // Ticks that fall behind are dropped rather than run back to back.
        due = std::max(due + period, std::chrono::steady_clock::now());
        if (suspended_ || !tick_) continue;
        const Tick tick = tick_;
        lock.unlock();
        tick();
        lock.lock();
    }
}

}  // namespace velk
