// Texts for play times: the time display, the playlist's "時間" column and the total time.
#pragma once

#include <string>

namespace velk::app {

// "%d:%02d" below 600 s, "%02d:%02d" below 3600 s, "%d:%02d:%02d" from 3600 s on.
std::string FormatTime(int seconds);

enum class TimeType { Elapsed = 0, Remaining = 1, ElapsedOfTotal = 2 };

// What the time display shows at position `position` of a song that starts `startSeconds` into
// its file and lasts `length` seconds. Never negative.
std::string TimeDisplayText(int timeType, int position, int startSeconds, int length);

}  // namespace velk::app
