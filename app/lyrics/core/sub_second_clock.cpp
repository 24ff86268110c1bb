#include "lyrics/core/sub_second_clock.h"

#include <algorithm>

namespace velk::app {

void SubSecondClock::Observe(int second, int64_t nowMs) {
    if (second == second_) return;
    // Only a step to the next second shows where a second began; a seek or the first sight
    // lands somewhere inside one.
    beginningSeen_ = second_ >= 0 && second == second_ + 1;
    second_ = second;
    secondBeganMs_ = nowMs;
}

int SubSecondClock::Hundredths(int second, int64_t nowMs) const {
    if (second != second_ || !beginningSeen_) return 0;
    return static_cast<int>(std::clamp<int64_t>((nowMs - secondBeganMs_) / 10, 0, 99));
}

}  // namespace velk::app
