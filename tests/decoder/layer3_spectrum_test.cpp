// Huffman decoding of a granule channel: regions, linbits and signs, count1 quadruples and the
// damaged-data rules (overspent quadruples, overrun, big values past the line limit).
#include "decoder/layer3_spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/frame_builder.h"

namespace velk {
namespace {

struct Spectrum {
    std::vector<float> lines = std::vector<float>(576, 77.0f);
    SpectrumResult result{};
    size_t position = 0;
};

// Decodes bits written after a frame header, the part being `partBits` long.
Spectrum decode(test::FrameBuilder& b, size_t partBits, const GranuleChannelInfo& info,
                int lineLimit = 558) {
    const std::vector<uint8_t> bytes = b.finish();
    BitReader r(bytes.data(), bytes.size());
    r.seek(32);
    Spectrum s;
    s.result = decodeSpectrum(r, 32 + partBits, info, bandTable(1, 0), lineLimit, s.lines.data());
    s.position = r.position() - 32;
    return s;
}

GranuleChannelInfo info(uint32_t bigValues, uint32_t table, uint32_t count1Table = 1) {
    GranuleChannelInfo g{};
    g.bigValues = bigValues;
    g.tableSelect[0] = g.tableSelect[1] = g.tableSelect[2] = table;
    g.region0Count = 15;
    g.region1Count = 7;
    g.count1Table = count1Table;
    return g;
}

TEST(Layer3Spectrum, PairsCarryTheirSignsAfterTheCode) {
    test::FrameBuilder b(test::HeaderFields{});
    // Table 1: "000" = (1, 1), signs + and -; "01" = (1, 0), sign -; "1" = (0, 0).
    b.put(0b000, 3);
    b.put(0b01, 2);
    b.put(0b01, 2);
    b.put(0b1, 1);
    b.put(0b1, 1);
    const Spectrum s = decode(b, 9, info(3, 1));
    EXPECT_EQ(s.lines[0], 1);
    EXPECT_EQ(s.lines[1], -1);
    EXPECT_EQ(s.lines[2], -1);
    EXPECT_EQ(s.lines[3], 0);
    EXPECT_EQ(s.lines[4], 0);
    EXPECT_EQ(s.lines[5], 0);
    EXPECT_FALSE(s.result.overrun);
    for (int i = 6; i < 576; ++i) EXPECT_EQ(s.lines[i], 0) << i;  // nothing stale is left
}

TEST(Layer3Spectrum, LinbitsExtendFifteen) {
    test::FrameBuilder b(test::HeaderFields{});
    // Table 16 (1 linbit): (15, 15) is "00000011"; x = 15 + 1, sign +; y = 15 + 0, sign -.
    b.put(0b00000011, 8);
    b.put(1, 1);
    b.put(0, 1);
    b.put(0, 1);
    b.put(1, 1);
    const Spectrum s = decode(b, 12, info(1, 16));
    // Values come out raised to the power 4/3.
    EXPECT_FLOAT_EQ(s.lines[0], std::pow(16.0f, 4.0f / 3.0f));
    EXPECT_FLOAT_EQ(s.lines[1], -std::pow(15.0f, 4.0f / 3.0f));
}

TEST(Layer3Spectrum, TableBQuadruplesAreInvertedBits) {
    test::FrameBuilder b(test::HeaderFields{});
    b.put(0b0110, 4);  // v w x y = 1 0 0 1
    b.put(0, 1);       // v +
    b.put(1, 1);       // y -
    const Spectrum s = decode(b, 6, info(0, 0));
    EXPECT_EQ(s.lines[0], 1);
    EXPECT_EQ(s.lines[1], 0);
    EXPECT_EQ(s.lines[2], 0);
    EXPECT_EQ(s.lines[3], -1);
    EXPECT_EQ(s.result.nonZeroEnd, 4);
}

TEST(Layer3Spectrum, AnOverspentQuadrupleIsDropped) {
    test::FrameBuilder b(test::HeaderFields{});
    b.put(0b1111, 4);  // table B: all zero, fits
    b.put(0b0000, 4);  // all one: its sign bits run past the 10-bit part
    b.put(0, 4);
    const Spectrum s = decode(b, 10, info(0, 0));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(s.lines[i], 0) << i;
    EXPECT_EQ(s.result.nonZeroEnd, 0);
    EXPECT_FALSE(s.result.overrun);
}

TEST(Layer3Spectrum, CodesRunningFarPastThePartSilenceTheChannel) {
    test::FrameBuilder b(test::HeaderFields{});
    for (int i = 0; i < 60; ++i) b.put(0b000, 3);  // table 1 pairs (1, 1): 5 bits each
    const Spectrum s = decode(b, 20, info(60, 1));
    EXPECT_TRUE(s.result.overrun);
    for (float v : s.lines) ASSERT_EQ(v, 0.0f);
}

TEST(Layer3Spectrum, BigValuesStopAtTheLineLimit) {
    test::FrameBuilder b(test::HeaderFields{});
    for (int i = 0; i < 300; ++i) b.put(0b1, 1);  // table 1 (0, 0) pairs
    const Spectrum s = decode(b, 300, info(511, 1), 288);
    EXPECT_EQ(s.result.nonZeroEnd, 288);
    EXPECT_EQ(s.position, 144u);  // 144 pairs, then the part's end
}

TEST(Layer3Spectrum, EmptyTablesReadNoBits) {
    test::FrameBuilder b(test::HeaderFields{});
    b.put(0xFFFF, 16);
    const Spectrum s = decode(b, 0, info(100, 4));
    EXPECT_EQ(s.position, 0u);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(s.lines[i], 0);
}

}  // namespace
}  // namespace velk
