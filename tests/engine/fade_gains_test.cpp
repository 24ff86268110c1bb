// Fade-in and fade-out gain ramps per device block, and the scaling of 16- and 8-bit samples.
#include "output/fade_gains.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace velk {
namespace {

constexpr int64_t kBlock = 1000;

TEST(FadeGains, FadeInRisesByOneThenFiveThenTen) {
    FadeGains gains;
    gains.setFadeIn(true);
    gains.startAtOpen();
    std::vector<int> ramp;
    for (int i = 0; i < 20; ++i) {
        gains.step(1'000'000, kBlock, true);
        ramp.push_back(gains.gain(0));
    }
    const std::vector<int> expected = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                       15, 20, 25, 30, 35, 40, 45, 50, 60, 70};
    EXPECT_EQ(ramp, expected);
    for (int i = 0; i < 10; ++i) gains.step(1'000'000, kBlock, true);
    EXPECT_EQ(gains.gain(0), 100);
}

TEST(FadeGains, FadeInStopsAtEachChannelsLevelAndNotAfterASeek) {
    FadeGains gains;
    gains.setLevels(100, 35);
    gains.setFadeIn(true);
    gains.startAtOpen();
    for (int i = 0; i < 40; ++i) gains.step(1'000'000, kBlock, true);
    EXPECT_EQ(gains.gain(0), 100);
    EXPECT_EQ(gains.gain(1), 35);
    gains.startAtOpen();
    gains.step(1'000'000, kBlock, false);
    EXPECT_EQ(gains.gain(0), 0);
}

TEST(FadeGains, FadeOutRunsOverTheLastTwentyThreeBlocks) {
    FadeGains gains;
    gains.setFadeOut(true);
    gains.resetToLevels();
    gains.step(23 * kBlock, kBlock, false);
    EXPECT_EQ(gains.gain(0), 100);
    std::vector<int> ramp;
    for (int64_t left = 22 * kBlock; left >= 0; left -= kBlock) {
        gains.step(left, kBlock, false);
        ramp.push_back(gains.gain(1));
    }
    const std::vector<int> expected = {90, 80, 70, 60, 50, 45, 40, 35, 30, 25, 20, 15,
                                       10, 8,  6,  4,  2,  1,  0,  0,  0,  0,  0};
    EXPECT_EQ(ramp, expected);
    gains.setFadeOut(false);
    EXPECT_EQ(gains.gain(0), 100);
}

TEST(FadeGains, ScalesTruncatingAndClipping) {
    FadeGains gains;
    gains.setLevels(50, 100);
    gains.resetToLevels();
    int16_t pcm[4] = {-32768, 32767, -3, 7};
    gains.apply(reinterpret_cast<uint8_t*>(pcm), sizeof pcm, 16, 2);
    EXPECT_EQ(pcm[0], -16384);
    EXPECT_EQ(pcm[1], 32767);
    EXPECT_EQ(pcm[2], -1);  // -1.5 truncates toward zero
    EXPECT_EQ(pcm[3], 7);
    uint8_t bytes[3] = {0, 255, 129};
    gains.apply(bytes, sizeof bytes, 8, 1);
    EXPECT_EQ(bytes[0], 64);
    EXPECT_EQ(bytes[1], 191);
    EXPECT_EQ(bytes[2], 128);
}

}  // namespace
}  // namespace velk
