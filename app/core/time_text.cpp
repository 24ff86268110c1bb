#include "core/time_text.h"

#include <algorithm>
#include <cstdio>

namespace velk::app {

std::string FormatTime(int seconds) {
    seconds = std::max(seconds, 0);
    char text[32];
    if (seconds < 600) {
        std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    } else if (seconds < 3600) {
        std::snprintf(text, sizeof text, "%02d:%02d", seconds / 60, seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    }
    return text;
}

std::string TimeDisplayText(int timeType, int position, int startSeconds, int length) {
    const int elapsed = std::max(position - startSeconds, 0);
    switch (static_cast<TimeType>(timeType)) {
        case TimeType::Remaining:
            return FormatTime(std::max(startSeconds + length - position, 0));
        case TimeType::ElapsedOfTotal:
            return FormatTime(elapsed) + "/" + FormatTime(std::max(length, 0));
        case TimeType::Elapsed:
            break;
    }
    return FormatTime(elapsed);
}

}  // namespace velk::app
