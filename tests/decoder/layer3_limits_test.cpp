// Band limits from the output rate and the frequency limit.
#include "decoder/layer3_limits.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

Layer3Limits limits(uint32_t version, uint32_t rateIndex, int rate, int reduction, int freqLimit) {
    return layer3Limits(version, bandTable(version, rateIndex), rate, reduction, freqLimit);
}

TEST(Layer3Limits, FullRateDecodesThirtyOneSubbands) {
    const Layer3Limits l = limits(1, 0, 44100, 0, 24000);
    EXPECT_EQ(l.lineLimit, 558);
    EXPECT_EQ(l.longLimit, 558);
    EXPECT_EQ(l.shortLimit, 3 * 136);  // short bands stop before band 12
    EXPECT_EQ(l.hybridSubbands, 31);
    EXPECT_EQ(l.mixedLongBands, 8);
}

TEST(Layer3Limits, AQuarterOfTheRateKeepsSixteenSubbands) {
    const Layer3Limits l = limits(1, 0, 44100, 0, 44100 / 4);
    EXPECT_EQ(l.lineLimit, 288);
    EXPECT_EQ(l.hybridSubbands, 16);
}

TEST(Layer3Limits, ReducedRatesCapTheSubbands) {
    EXPECT_EQ(limits(1, 0, 44100, 1, 24000).lineLimit, 15 * 18);
    EXPECT_EQ(limits(1, 0, 44100, 2, 24000).lineLimit, 8 * 18);
    EXPECT_EQ(limits(1, 0, 44100, 2, 24000).hybridSubbands, 8);
}

TEST(Layer3Limits, LowerRatesStopLongBlocksAtBoundaryTwentyOne) {
    const Layer3Limits l = limits(2, 0, 22050, 0, 24000);
    EXPECT_EQ(l.longLimit, 522);
    EXPECT_EQ(l.lineLimit, 530);
    EXPECT_EQ(l.shortLimit, 3 * 132);
    EXPECT_EQ(l.hybridSubbands, 30);
    EXPECT_EQ(l.mixedLongBands, 6);
}

TEST(Layer3Limits, HostileValuesStayInRange) {
    const Layer3Limits l = limits(1, 0, 0, 7, -5);
    EXPECT_GE(l.lineLimit, 0);
    EXPECT_LE(l.lineLimit, 576);
    EXPECT_EQ(limits(3, 2, 8000, 0, 2000000000).hybridSubbands, 31);
}

}  // namespace
}  // namespace velk
