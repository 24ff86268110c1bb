// Band limits from the output rate and the frequency limit: the frequency limit is the only
// cut, for every standard and block type.
#include "decoder/layer3_limits.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(Layer3Limits, TheDefaultLimitDecodesEveryLineOfEveryStandard) {
    const struct {
        uint32_t version;
        int rate;
    } streams[] = {{1, 44100}, {1, 48000}, {1, 32000}, {2, 22050}, {2, 24000},
                   {2, 16000}, {3, 11025}, {3, 12000}, {3, 8000}};
    for (const auto& s : streams) {
        const Layer3Limits l = layer3Limits(s.version, s.rate, 0, 24000);
        EXPECT_EQ(l.lineLimit, 576) << s.rate;
        EXPECT_EQ(l.hybridSubbands, 32) << s.rate;
        EXPECT_EQ(l.mixedLongBands, s.version == 1 ? 8 : 6) << s.rate;
    }
}

TEST(Layer3Limits, AQuarterOfTheRateKeepsSixteenSubbands) {
    const Layer3Limits l = layer3Limits(1, 44100, 0, 44100 / 4);
    EXPECT_EQ(l.lineLimit, 288);
    EXPECT_EQ(l.hybridSubbands, 16);
    // The limit rounds to the nearest subband edge: 15.5 subbands of 22.05 kHz are 5340.2 Hz.
    EXPECT_EQ(layer3Limits(2, 22050, 0, 5341).hybridSubbands, 16);
    EXPECT_EQ(layer3Limits(2, 22050, 0, 5340).hybridSubbands, 15);
}

TEST(Layer3Limits, ReducedRatesCapTheSubbandsAtWhatTheSynthesisReads) {
    EXPECT_EQ(layer3Limits(1, 44100, 1, 24000).lineLimit, 16 * 18);
    EXPECT_EQ(layer3Limits(3, 8000, 1, 24000).hybridSubbands, 16);
    EXPECT_EQ(layer3Limits(1, 44100, 2, 24000).lineLimit, 8 * 18);
    EXPECT_EQ(layer3Limits(1, 44100, 2, 24000).hybridSubbands, 8);
}

TEST(Layer3Limits, HostileValuesStayInRange) {
    const Layer3Limits l = layer3Limits(1, 0, 7, -5);
    EXPECT_EQ(l.lineLimit, 0);
    EXPECT_EQ(l.hybridSubbands, 0);
    EXPECT_EQ(layer3Limits(3, 8000, 0, 2000000000).lineLimit, 576);
    EXPECT_EQ(layer3Limits(1, 44100, -3, 24000).lineLimit, 576);
}

}  // namespace
}  // namespace velk
