// Hundredths of a second for a stamped time tag. The engine reports the play position in whole
// seconds; watching when that number changes tells how far into the current second play is.
#pragma once

#include <cstdint>

namespace velk::app {

class SubSecondClock {
  public:
    // The engine reported `second` at `nowMs` (any steady millisecond clock).
    void Observe(int second, int64_t nowMs);
    // 0..99: the time since `second` began, as far as the observations tell; 0 for a second
    // whose beginning was not seen.
    int Hundredths(int second, int64_t nowMs) const;

  private:
    int second_ = -1;
    int64_t secondBeganMs_ = 0;
    bool beginningSeen_ = false;
};

}  // namespace velk::app
