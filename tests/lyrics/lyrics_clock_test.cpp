// The lyrics clock: time types, offsets, ratio and the reduction factor.
#include "tags/lyrics_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velk {
namespace {

PlayClock at44100(int64_t ms) {
    return PlayClock{true, ms * 44100 / 1000, 44100, 1, 0};
}

TEST(LyricsClock, NormalTimeIsThePlayTime) {
    EXPECT_EQ(lyricsClockMs(at44100(12340), {kTimeNormal, 0, 1.0}), 12340);
}

TEST(LyricsClock, WinAmpTimeScalesByWholeFrameMilliseconds) {
    // One frame is 26.1224 ms at 44.1 kHz; WinAmp counted 26 ms.
    const double frame = 1152000.0 / 44100;
    const auto expected = static_cast<int64_t>(100000 * std::floor(frame) / frame);
    EXPECT_EQ(lyricsClockMs(at44100(100000), {kTimeWinAmp, 0, 1.0}), expected);
    EXPECT_EQ(expected, 99531);
}

TEST(LyricsClock, RatioTimeAndOffset) {
    EXPECT_EQ(lyricsClockMs(at44100(10000), {kTimeRatio, 0, 1.5}), 15000);
    EXPECT_EQ(lyricsClockMs(at44100(10000), {kTimeNormal, 500, 1.0}), 9500);
    EXPECT_EQ(lyricsClockMs(at44100(300), {kTimeNormal, 500, 1.0}), 0);
    EXPECT_EQ(lyricsClockMs(at44100(10000), {kTimeNormal, -500, 1.0}), 10500);
}

TEST(LyricsClock, HostileRatioGivesASaneTime) {
    EXPECT_EQ(lyricsClockMs(at44100(10000), {kTimeRatio, 0, 1e300}), 2147483647);
    EXPECT_EQ(lyricsClockMs(at44100(10000), {kTimeRatio, 0, -3.0}), 0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(lyricsClockMs(at44100(10000), {kTimeRatio, 0, nan}), 0);
}

TEST(LyricsClock, ReductionFactorRestoresTheStreamTime) {
    // Half-rate output: 22050 samples a second counted against the stream's 44100.
    const PlayClock clock{true, 22050 * 4, 44100, 2, 0};
    EXPECT_EQ(lyricsClockMs(clock, {kTimeNormal, 0, 1.0}), 4000);
}

TEST(LyricsClock, NoRateNoTime) {
    EXPECT_EQ(lyricsClockMs(PlayClock{true, 1000, 0, 1, 0}, {kTimeNormal, 0, 1.0}), 0);
}

TEST(LyricsClock, HeadersDriveTheClockOnlyWhenAskedAndPresent) {
    LyricsSettings settings;
    settings.timeType = kTimeNormal;
    settings.offsetMs = 100;
    LyricsHeader header{};
    header.timeType = kTimeRatio;
    header.offset = 500;
    header.timeRatio = 2.0;
    EXPECT_EQ(clockScale(settings, header).offsetMs, 100);  // useAtMarkTag off
    settings.atMarkHeaders = true;
    EXPECT_EQ(clockScale(settings, header).offsetMs, 100);  // no header present
    header.present = 1;
    const ClockScale scale = clockScale(settings, header);
    EXPECT_EQ(scale.timeType, kTimeRatio);
    EXPECT_EQ(scale.offsetMs, 500);
    EXPECT_DOUBLE_EQ(scale.ratio, 2.0);
}

}  // namespace
}  // namespace velk
