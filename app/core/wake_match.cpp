#include "core/wake_match.h"

namespace velk::app {

int WeekdayBit(int tmWeekday) {
    return tmWeekday == 0 ? 64 : 1 << (tmWeekday - 1);
}

bool WakeCheck(WakeSettings& wake, int& lastMinute, const ClockReading& now) {
    const bool sameMinute = now.minute == lastMinute;
    lastMinute = now.minute;
    if (wake.kind < kWakeOnce || wake.kind > kWakeWeekdays) return false;
    if (sameMinute || now.hour != wake.minutesAfterMidnight / 60) return false;
    if (now.minute != wake.minutesAfterMidnight % 60) return false;
    switch (wake.kind) {
        case kWakeOnce:
            wake.kind = kWakeNone;
            return true;
        case kWakeDaily:
            return true;
        default:
            return (wake.weekdayMask & WeekdayBit(now.weekday)) != 0;
    }
}

}  // namespace velk::app
