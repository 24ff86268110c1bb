// Scale-factor layouts: MPEG-1 long, short and mixed blocks with scfsi reuse, and the lower-rate
// layouts with their pre-emphasis and the right channel's intensity positions.
#include "decoder/layer3_scalefactors.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/frame_builder.h"

namespace velk {
namespace {

// Bits written after a frame header, read back from just after it.
class Bits {
  public:
    Bits() : builder_(test::HeaderFields{}) {}
    Bits& put(uint32_t value, int bits) {
        builder_.put(value, bits);
        return *this;
    }
    BitReader reader() {
        bytes_ = builder_.finish();
        BitReader r(bytes_.data(), bytes_.size());
        r.seek(32);
        return r;
    }

  private:
    test::FrameBuilder builder_;
    std::vector<uint8_t> bytes_;
};

GranuleChannelInfo longInfo(uint32_t compress) {
    GranuleChannelInfo g{};
    g.scalefacCompress = compress;
    return g;
}

TEST(ScaleFactorsMpeg1, LongBlocksUseSlen1ForBandsZeroToTenAndSlen2After) {
    Bits bits;
    // compress 15: slen1 4, slen2 3.
    for (int b = 0; b < 11; ++b) bits.put(static_cast<uint32_t>(b + 1), 4);
    for (int b = 11; b < 21; ++b) bits.put(static_cast<uint32_t>(b - 10), 3);
    BitReader r = bits.reader();
    ScaleFactors sf{};
    sf.longBands[21] = 9;
    readScaleFactorsMpeg1(r, longInfo(15), 0, 0, sf);
    for (int b = 0; b < 11; ++b) EXPECT_EQ(sf.longBands[b], b + 1);
    for (int b = 11; b < 21; ++b) EXPECT_EQ(sf.longBands[b], (b - 10) & 7);
    EXPECT_EQ(sf.longBands[21], 0);
    EXPECT_EQ(r.position(), 32u + 11 * 4 + 10 * 3);
}

TEST(ScaleFactorsMpeg1, GranuleOneKeepsTheGroupsItsScfsiBitsName) {
    ScaleFactors sf{};
    for (int b = 0; b < 21; ++b) sf.longBands[b] = 7;
    Bits bits;
    // scfsi 1010: groups 0 (bands 0-5) and 2 (11-15) are reused; compress 5: slen1 1, slen2 1.
    for (int b = 6; b < 11; ++b) bits.put(0, 1);
    for (int b = 16; b < 21; ++b) bits.put(1, 1);
    BitReader r = bits.reader();
    readScaleFactorsMpeg1(r, longInfo(5), 0b1010, 1, sf);
    for (int b = 0; b < 6; ++b) EXPECT_EQ(sf.longBands[b], 7);
    for (int b = 6; b < 11; ++b) EXPECT_EQ(sf.longBands[b], 0);
    for (int b = 11; b < 16; ++b) EXPECT_EQ(sf.longBands[b], 7);
    for (int b = 16; b < 21; ++b) EXPECT_EQ(sf.longBands[b], 1);
    EXPECT_EQ(r.position(), 32u + 10);
}

TEST(ScaleFactorsMpeg1, ScfsiIsIgnoredInGranuleZero) {
    ScaleFactors sf{};
    Bits bits;
    for (int b = 0; b < 21; ++b) bits.put(1, 1);
    BitReader r = bits.reader();
    readScaleFactorsMpeg1(r, longInfo(5), 0b1111, 0, sf);
    for (int b = 0; b < 21; ++b) EXPECT_EQ(sf.longBands[b], 1);
}

TEST(ScaleFactorsMpeg1, MixedBlocksReadEightLongBandsThenShortBandsFromThree) {
    GranuleChannelInfo g = longInfo(12);  // slen1 3, slen2 2
    g.windowSwitching = 1;
    g.blockType = 2;
    g.mixedBlock = 1;
    Bits bits;
    for (int b = 0; b < 8; ++b) bits.put(5, 3);
    for (int b = 3; b < 6; ++b) {
        for (int w = 0; w < 3; ++w) bits.put(static_cast<uint32_t>(w + 1), 3);
    }
    for (int b = 6; b < 12; ++b) {
        for (int w = 0; w < 3; ++w) bits.put(static_cast<uint32_t>(w), 2);
    }
    BitReader r = bits.reader();
    ScaleFactors sf{};
    readScaleFactorsMpeg1(r, g, 0, 0, sf);
    for (int b = 0; b < 8; ++b) EXPECT_EQ(sf.longBands[b], 5);
    for (int b = 8; b < 22; ++b) EXPECT_EQ(sf.longBands[b], 0);
    for (int w = 0; w < 3; ++w) {
        for (int b = 0; b < 3; ++b) EXPECT_EQ(sf.shortBands[b][w], 0);
        for (int b = 3; b < 6; ++b) EXPECT_EQ(sf.shortBands[b][w], w + 1);
        for (int b = 6; b < 12; ++b) EXPECT_EQ(sf.shortBands[b][w], w);
        EXPECT_EQ(sf.shortBands[12][w], 0);
    }
    EXPECT_EQ(r.position(), 32u + 8 * 3 + 9 * 3 + 18 * 2);
}

TEST(ScaleFactorsLsf, CompressBelow400SplitsIntoFourWidths) {
    // 4-bit fields of (sfc >> 4): 5 * 2 + 3 -> slen 2, 3; low nibble 0b1001 -> slen 2, 1.
    GranuleChannelInfo g = longInfo(((5 * 2 + 3) << 4) | 0b1001);
    Bits bits;
    for (int i = 0; i < 6; ++i) bits.put(3, 2);
    for (int i = 0; i < 5; ++i) bits.put(7, 3);
    for (int i = 0; i < 5; ++i) bits.put(2, 2);
    for (int i = 0; i < 5; ++i) bits.put(1, 1);
    BitReader r = bits.reader();
    ScaleFactors sf{};
    readScaleFactorsLsf(r, g, false, sf);
    EXPECT_EQ(g.preflag, 0u);
    EXPECT_EQ(sf.longBands[0], 3);
    EXPECT_EQ(sf.longBands[6], 7);
    EXPECT_EQ(sf.longBands[11], 2);
    EXPECT_EQ(sf.longBands[20], 1);
    EXPECT_EQ(sf.longWidth[20], 1);
    EXPECT_EQ(r.position(), 32u + 12 + 15 + 10 + 5);
}

TEST(ScaleFactorsLsf, CompressFrom500SetsPreflag) {
    GranuleChannelInfo g = longInfo(500 + 3 * 3 + 1);  // slen 3, 1: 11 and 10 bands
    Bits bits;
    for (int i = 0; i < 11; ++i) bits.put(6, 3);
    for (int i = 0; i < 10; ++i) bits.put(1, 1);
    BitReader r = bits.reader();
    ScaleFactors sf{};
    readScaleFactorsLsf(r, g, false, sf);
    EXPECT_EQ(g.preflag, 1u);
    EXPECT_EQ(sf.longBands[10], 6);
    EXPECT_EQ(sf.longBands[11], 1);
    EXPECT_EQ(r.position(), 32u + 33 + 10);
}

TEST(ScaleFactorsLsf, IntensityRightChannelRecordsFiveBitWidths) {
    // Intensity layout from compress >> 1 = 4 * 36 + 5 * 6 + 0: slen 4, 5, 0 for 7, 7, 7 bands.
    GranuleChannelInfo g = longInfo(((4 * 36 + 5 * 6) << 1) | 1);
    Bits bits;
    for (int i = 0; i < 7; ++i) bits.put(15, 4);
    for (int i = 0; i < 7; ++i) bits.put(31, 5);
    BitReader r = bits.reader();
    ScaleFactors sf{};
    readScaleFactorsLsf(r, g, true, sf);
    EXPECT_EQ(sf.longBands[6], 15);
    EXPECT_EQ(sf.longWidth[6], 4);
    EXPECT_EQ(sf.longBands[13], 31);
    EXPECT_EQ(sf.longWidth[13], 5);
    EXPECT_EQ(sf.longWidth[14], 0);
    EXPECT_EQ(r.position(), 32u + 28 + 35);
}

TEST(ScaleFactorsLsf, ShortBlocksFillThreeWindowsPerBand) {
    GranuleChannelInfo g = longInfo(((1 * 5 + 1) << 4) | (1 << 2) | 1);  // four groups of 1 bit
    g.windowSwitching = 1;
    g.blockType = 2;
    Bits bits;
    for (int i = 0; i < 36; ++i) bits.put(static_cast<uint32_t>(i & 1), 1);
    BitReader r = bits.reader();
    ScaleFactors sf{};
    readScaleFactorsLsf(r, g, false, sf);
    EXPECT_EQ(sf.shortBands[0][0], 0);
    EXPECT_EQ(sf.shortBands[0][1], 1);
    EXPECT_EQ(sf.shortBands[11][2], 1);
    EXPECT_EQ(r.position(), 32u + 36);
}

}  // namespace
}  // namespace velk
