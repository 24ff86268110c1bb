#include "tags/lyrics_clock.h"

#include <cmath>

#include "decoder/frame_header.h"

namespace velk {
namespace {

// A hostile "@TimeRatio" may be huge or not a number; the product stays a sane time.
int64_t scaleMs(int64_t ms, double factor) {
    const double product = static_cast<double>(ms) * factor;
    if (!std::isfinite(product) || product <= 0.0) return 0;
    return product >= 2147483647.0 ? int64_t{2147483647} : static_cast<int64_t>(product);
}

}  // namespace

ClockScale clockScale(const LyricsSettings& settings, const LyricsHeader& header) {
    if (settings.atMarkHeaders && header.present) {
        return {static_cast<int32_t>(header.timeType), header.offset, header.timeRatio};
    }
    return {settings.timeType, settings.offsetMs, settings.timeRatio};
}

int64_t lyricsClockMs(const PlayClock& clock, const ClockScale& scale) {
    if (clock.sampleRate <= 0) return 0;
    int64_t ms = clock.playedSamples * 1000 / clock.sampleRate;
    if (scale.timeType == kTimeWinAmp) {
        ms = scaleMs(ms, wholeMsFrameScale(clock.sampleRate));
    } else if (scale.timeType == kTimeRatio) {
        ms = scaleMs(ms, scale.ratio);
    }
    ms -= scale.offsetMs;
    if (ms < 0) ms = 0;
    return ms * clock.reductionFactor;
}

}  // namespace velk
