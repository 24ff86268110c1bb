// A sink without sound that consumes buffers on its own clock, at real time or N times faster.
#pragma once

#include <atomic>
#include <chrono>

#include "output/queued_sink.h"

namespace velk {

class NullSink final : public QueuedSink {
  public:
    explicit NullSink(int speedFactor = 1);
    ~NullSink() override;

    int volumeCaps(int deviceId) override;

  protected:
    bool openBackend(int deviceId, int channels, int bitsPerSample, int sampleRate) override;
    void closeBackend() override {}
    void playFrames(const uint8_t* pcm, size_t frames) override;
    void dropBackend() override {}
    void pauseBackend(bool paused) override;

  private:
    using Clock = std::chrono::steady_clock;
    int speedFactor_;
    Clock::time_point due_{};
    std::atomic<bool> clockRunning_{false};  // cleared by pause, read by the worker
};

}  // namespace velk
