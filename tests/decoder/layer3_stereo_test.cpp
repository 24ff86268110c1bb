// Joint stereo on requantised granules: mid/side with its 1/sqrt(2) folded into the global
// gain, and intensity stereo from the band after the right channel's last non-zero band.
#include "decoder/layer3_stereo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace velk {
namespace {

struct Granule {
    std::vector<float> left = std::vector<float>(576, 0.0f);
    std::vector<float> right = std::vector<float>(576, 0.0f);
    int leftEnd = 0;
    int rightEnd = 0;
    GranuleChannelInfo rightInfo{};
    ScaleFactors rightScaleFactors{};
    BandUsage rightUsage{-1, {-1, -1, -1}};

    void apply(StereoModes modes, uint32_t version = 1) {
        const StereoGranule g{
            left.data(),         right.data(),       &leftEnd,    &rightEnd,
            &rightInfo,          &rightScaleFactors, &rightUsage, &bandTable(version, 0),
            version == 1 ? 8 : 6};
        applyJointStereo(g, modes);
    }
};

std::vector<float> requantized(int32_t value, int32_t globalGain) {
    std::vector<float> lines(576, 0.0f);
    lines[0] = std::copysign(std::pow(std::abs(static_cast<float>(value)), 4.0f / 3.0f),
                             static_cast<float>(value));  // as decodeSpectrum gives it
    GranuleChannelInfo info{};
    info.globalGain = globalGain;
    ScaleFactors sf{};
    BandUsage usage{};
    std::vector<float> out(576);
    requantize(lines.data(), 2, info, sf, bandTable(1, 0), 8, out.data(), usage);
    return out;
}

TEST(MidSide, GivesTheStandardsHalfRootTwoSumAndDifference) {
    const float mid = requantized(10, 180)[0];
    const float side = requantized(-3, 180)[0];
    Granule g;
    g.left[0] = requantized(10, 180 - 2)[0];  // the side information lowers the gain by 2
    g.right[0] = requantized(-3, 180 - 2)[0];
    g.leftEnd = g.rightEnd = 2;
    g.apply({true, false, false, 0});
    const float root2 = std::sqrt(2.0f);
    EXPECT_NEAR(g.left[0], (mid + side) / root2, 1e-3f * std::fabs(mid));
    EXPECT_NEAR(g.right[0], (mid - side) / root2, 1e-3f * std::fabs(mid));
}

TEST(MidSide, CoversTheLargerNonZeroEndAndRaisesBoth) {
    Granule g;
    g.left[100] = 4.0f;
    g.right[300] = 1.0f;
    g.leftEnd = 102;
    g.rightEnd = 302;
    g.apply({true, false, false, 0});
    EXPECT_EQ(g.left[300], 1.0f);
    EXPECT_EQ(g.right[300], -1.0f);
    EXPECT_EQ(g.leftEnd, 302);
    EXPECT_EQ(g.rightEnd, 302);
}

TEST(Intensity, StartsAfterTheRightChannelsLastNonZeroLongBand) {
    Granule g;
    // 44.1 kHz long bands: band 5 is lines 20-23, band 6 is 24-29.
    for (int i = 0; i < 40; ++i) g.left[i] = 2.0f;
    g.right[21] = 1.0f;
    g.rightUsage.lastLongBand = 5;
    g.rightScaleFactors.longBands[6] = 0;  // position 0: all to the right channel
    g.rightScaleFactors.longBands[7] = 3;  // position 3: evenly split
    g.leftEnd = 40;
    g.rightEnd = 22;
    g.apply({false, true, false, 0});
    EXPECT_EQ(g.left[21], 2.0f);  // below the region: untouched
    EXPECT_EQ(g.right[21], 1.0f);
    EXPECT_NEAR(g.left[24], 0.0f, 1e-6f);
    EXPECT_NEAR(g.right[24], 2.0f, 1e-6f);
    EXPECT_NEAR(g.left[30], 1.0f, 1e-6f);
    EXPECT_NEAR(g.right[30], 1.0f, 1e-6f);
    EXPECT_EQ(g.rightEnd, 40);
}

TEST(Intensity, TheIllegalPositionKeepsTheLeftChannel) {
    Granule g;
    for (int i = 0; i < 30; ++i) g.left[i] = 2.0f;
    g.rightScaleFactors.longBands[0] = 7;
    g.leftEnd = 30;
    g.apply({false, true, false, 0});
    EXPECT_EQ(g.left[0], 2.0f);
    EXPECT_EQ(g.right[0], 0.0f);
}

TEST(Intensity, WithMidSideTheMidChannelIsScaledBackByRootTwo) {
    Granule g;
    for (int i = 0; i < 8; ++i) g.left[i] = 1.0f;
    g.rightScaleFactors.longBands[0] = 3;
    g.rightScaleFactors.longBands[1] = 7;  // illegal: mid/side values, here M + 0
    g.leftEnd = 8;
    g.apply({true, true, false, 0});
    EXPECT_NEAR(g.left[0], std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(g.right[0], std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(g.left[4], 1.0f, 1e-6f);
    EXPECT_NEAR(g.right[4], 1.0f, 1e-6f);
}

TEST(Intensity, LowerRatesUseTheirPositionsAndScale) {
    Granule g;
    for (int i = 0; i < 12; ++i) g.left[i] = 1.0f;
    // MPEG-2 long band 0 is lines 0-5, band 1 lines 6-11; widths of 3 bits.
    g.rightScaleFactors.longBands[0] = 3;  // odd: left scaled by 2^(-1/4 * 2)
    g.rightScaleFactors.longWidth[0] = 3;
    g.rightScaleFactors.longBands[1] = 7;  // the last position of 3 bits: illegal
    g.rightScaleFactors.longWidth[1] = 3;
    g.leftEnd = 12;
    g.apply({false, true, true, 0}, 2);
    EXPECT_NEAR(g.left[0], std::pow(2.0f, -0.5f), 1e-6f);
    EXPECT_NEAR(g.right[0], 1.0f, 1e-6f);
    EXPECT_EQ(g.left[6], 1.0f);
    EXPECT_EQ(g.right[6], 0.0f);
}

TEST(Intensity, ShortBlocksStartAfterTheLatestWindow) {
    Granule g;
    g.rightInfo.windowSwitching = 1;
    g.rightInfo.blockType = 2;
    g.rightUsage.lastShortBand[0] = 1;
    g.rightUsage.lastShortBand[2] = 2;  // window 2 reaches band 2: the region starts at 3
    for (int i = 0; i < 60; ++i) g.left[i] = 2.0f;
    for (int w = 0; w < 3; ++w) g.rightScaleFactors.shortBands[3][w] = 0;
    g.leftEnd = 60;
    g.apply({false, true, false, 0});
    EXPECT_EQ(g.left[3 * 8], 2.0f);  // band 2 (lines 24-35) untouched
    EXPECT_NEAR(g.left[3 * 12], 0.0f, 1e-6f);
    EXPECT_NEAR(g.right[3 * 12 + 2], 2.0f, 1e-6f);
}

}  // namespace
}  // namespace velk
