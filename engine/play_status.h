// The play state the decode thread and the entry points share.
#pragma once

#include <atomic>
#include <cstdint>

#include "velk.h"

namespace velk {

enum PlayState : int {
    kStopped = VELK_STATE_STOPPED,
    kPlaying = VELK_STATE_PLAYING,
    kPaused = VELK_STATE_PAUSED,
};
enum OutputMode : int { kOutputDevice = 0, kOutputWaveFile = 1, kOutputBoth = 2 };

struct PlayStatus {
    std::atomic<int> state{kStopped};
    // While a seek or a repositioning runs, callers see the state from before it.
    std::atomic<int> reported{kStopped};
    std::atomic<bool> seeking{false};
    std::atomic<bool> repositioning{false};
    // Samples before the device's first block, set by a seek.
    std::atomic<int64_t> basePosition{0};
    std::atomic<int32_t> lastSeconds{0};
    std::atomic<int> outputMode{kOutputDevice};
    std::atomic<int64_t> waveBytesWritten{0};

    int reportedState() const {
        return (seeking.load() || repositioning.load()) ? reported.load() : state.load();
    }
    bool positioning() const { return seeking.load() || repositioning.load(); }
};

}  // namespace velk
