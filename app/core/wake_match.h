// The wake timer ("おはようﾀｲﾏｰ") check of the housekeeping tick, as a pure step over its state.
#pragma once

#include <string>

namespace velk::app {

enum WakeKind { kWakeNone = 0, kWakeOnce = 1, kWakeDaily = 2, kWakeWeekdays = 3 };

struct WakeSettings {
    int kind = kWakeNone;
    int minutesAfterMidnight = 420;
    int weekdayMask = 0;  // Monday 1, Tuesday 2, ... Sunday 64
    std::string playlist;
};

struct ClockReading {
    int hour = 0;
    int minute = 0;
    int weekday = 0;  // 0 Sunday ... 6 Saturday, as struct tm counts
};

// Bit of the weekday mask for a tm-style weekday (Sunday 0).
int WeekdayBit(int tmWeekday);

// Runs one check. `lastMinute` is the minute seen by the previous check (-1 before the first);
// it is updated in every case, so each clock minute acts at most once. Kind 1 resets itself to 0
// when it fires. Returns true when the wake playlist is to start.
bool WakeCheck(WakeSettings& wake, int& lastMinute, const ClockReading& now);

}  // namespace velk::app
