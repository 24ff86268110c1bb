// Events and a message queue for the decode thread and its controller.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

namespace velk {

// An event that stays signalled until reset (manual) or until one waiter takes it (auto).
class Event {
  public:
    explicit Event(bool manualReset, bool signalled = false)
        : manual_(manualReset), signalled_(signalled) {}

    // Notifies under the lock: a waiter may destroy the event as soon as it sees the signal.
    void set() {
        std::lock_guard lock(mutex_);
        signalled_ = true;
        cv_.notify_all();
    }
    void reset() {
        std::lock_guard lock(mutex_);
        signalled_ = false;
    }
    void wait() {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [&] { return signalled_; });
        if (!manual_) signalled_ = false;
    }
    // True when signalled within the time.
    bool waitFor(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, timeout, [&] { return signalled_; })) return false;
        if (!manual_) signalled_ = false;
        return true;
    }
    bool isSet() {
        std::lock_guard lock(mutex_);
        return signalled_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool manual_;
    bool signalled_;
};

struct ThreadMessage {
    int id = 0;
    Event* event = nullptr;  // signalled when handled, when given
    intptr_t param = 0;
};

class MessageQueue {
  public:
    void post(const ThreadMessage& m) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(m);
        }
        cv_.notify_all();
    }
    bool tryTake(ThreadMessage& out) {
        std::lock_guard lock(mutex_);
        if (queue_.empty()) return false;
        out = queue_.front();
        queue_.pop_front();
        return true;
    }
    void take(ThreadMessage& out) {
        std::unique_lock lock(mutex_);
        cv_.wait(lock, [&] { return !queue_.empty(); });
        out = queue_.front();
        queue_.pop_front();
    }
    void clear() {
        std::lock_guard lock(mutex_);
        queue_.clear();
    }

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<ThreadMessage> queue_;
};

}  // namespace velk
