#include "output/null_sink.h"

#include <thread>

namespace velk {

NullSink::NullSink(int speedFactor) : speedFactor_(speedFactor < 1 ? 1 : speedFactor) {}

NullSink::~NullSink() {
    shutDown();
}

int NullSink::volumeCaps(int) {
    return 2;
}

bool NullSink::openBackend(int, int, int, int) {
    clockRunning_ = false;
    return true;
}

void NullSink::pauseBackend(bool) {
    // After a pause the clock starts afresh instead of catching up on the paused time.
    clockRunning_ = false;
}

void NullSink::playFrames(const uint8_t*, size_t frames) {
    const auto now = Clock::now();
    if (!clockRunning_ || due_ < now - std::chrono::milliseconds(100)) {
        due_ = now;
        clockRunning_ = true;
    }
    const auto rate = static_cast<int64_t>(sampleRate()) * speedFactor_;
    due_ += std::chrono::nanoseconds(static_cast<int64_t>(frames) * 1'000'000'000 / rate);
    std::this_thread::sleep_until(due_);
}

}  // namespace velk
