// The lyrics clock: the play position turned into the time scale of the lyrics table.
#pragma once

#include <cstdint>
#include <functional>

#include "tags/lyrics_settings.h"
#include "velk.h"

namespace velk {

// What the clock needs to know about playback at one moment.
struct PlayClock {
    bool streamOpen = false;
    int64_t playedSamples = 0;    // output samples per channel
    int32_t sampleRate = 0;       // the stream's own rate (before any output-rate reduction)
    int32_t reductionFactor = 1;  // 1, 2 or 4: how much lower the output rate is
    int64_t lastReportedMs = 0;   // the position the engine last reported
};

// The one place the lyrics read the play position from.
using PlayClockSource = std::function<PlayClock()>;

// The time type, offset and ratio in force: those of the "@" headers when they drive the clock.
struct ClockScale {
    int32_t timeType;
    int32_t offsetMs;
    double ratio;
};
ClockScale clockScale(const LyricsSettings& settings, const LyricsHeader& header);

// Milliseconds in the lyrics' time scale, never negative.
int64_t lyricsClockMs(const PlayClock& clock, const ClockScale& scale);

}  // namespace velk
