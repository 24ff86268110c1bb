// The engine's lyrics settings, set through velk_ entry points and the engine's settings load.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velk {

enum LyricsTimeType : int32_t { kTimeWinAmp = 0, kTimeNormal = 1, kTimeRatio = 2 };

struct LyricsSettings {
    bool lyrics3Use = false;         // the open loads the "LYR" field of a Lyrics3 block
    bool karaokeUse = false;         // tags inside a line start segments; lines of 1023 bytes
    int32_t timeType = kTimeWinAmp;  // when the "@" headers do not drive the clock
    bool untaggedRows = true;        // rows without a time tag take part in finding the current row
    int32_t nextAdjustMs = 0;        // lead by which the display moves on to the next line
    bool atMarkHeaders = false;      // "@" headers are hidden and drive the clock when present
    int32_t offsetMs = 0;            // subtracted from the play time when headers do not drive it
    double timeRatio = 1.0;          // the ratio of time type 2 when headers do not drive it

    size_t maxLineBytes() const { return karaokeUse ? 1023 : 127; }
};

}  // namespace velk
