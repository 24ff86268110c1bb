// The engine's tuning values: block sizes and sleeps, seeking, speed and pitch.
#pragma once

#include "velk.h"

namespace velk {

// Tuning values of the engine, with their defaults.
struct Tuning {
    BlockInfo blocks{30, 20, 5, 0};
    int savedOutputBlock = 0;  // 0: nothing saved by a speed change
    bool clampToPlayTime = true;
    bool fastSeek = true;
    bool fastSeekReported = true;
    bool seekWhenStopped = false;
    bool frameReadFlag = false;
    int speed = 1;
    int pitch = 100;
};

}  // namespace velk
