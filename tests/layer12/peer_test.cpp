// Layer II streams made by twolame, against mpg123's decoding of them (rounded, so a truncating
// decoder sits about 0.7 LSB RMS and 1 LSB at most away): MPEG-1 joint stereo, the low-rate
// single-channel table, the lower sampling frequencies, reduced rates, mono and 8-bit output.
#include <gtest/gtest.h>

#include <algorithm>

#include "decoder/frame_header.h"
#include "decoder/layer12_tables.h"
#include "support/stream_decode.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

std::vector<uint8_t> fixture(const std::string& name) {
    return test::readFileBytes(std::string(VELK_TEST_DATA_DIR) + "/" + name);
}

std::vector<int16_t> decoded(const std::string& stream, int reduction, int convert) {
    const test::DecodedStream d =
        test::decodeStream(fixture(stream), DecodeOptions{reduction, convert, 24000});
    EXPECT_TRUE(d.initialised);
    return test::samples16(d.pcm);
}

void expectClose(const std::vector<int16_t>& ours, const std::vector<int16_t>& expected, double rms,
                 int largest) {
    const test::Difference d = test::compareSamples(ours, expected);
    EXPECT_EQ(d.compared, expected.size());
    EXPECT_LE(d.rms, rms);
    EXPECT_LE(d.largest, largest);
}

struct PeerCase {
    const char* stream;
    const char* expected;
    int reduction;
};

class Layer2Peer : public ::testing::TestWithParam<PeerCase> {};

TEST_P(Layer2Peer, MatchesMpg123) {
    const PeerCase& c = GetParam();
    expectClose(decoded(c.stream, c.reduction, 0), test::samples16(fixture(c.expected)), 0.8, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, Layer2Peer,
    ::testing::Values(PeerCase{"l2_joint128_48k.mp2", "l2_joint128_48k.mpg123.pcm", 0},
                      PeerCase{"l2_joint128_48k.mp2", "l2_joint128_48k.mpg123-half.pcm", 1},
                      PeerCase{"l2_joint128_48k.mp2", "l2_joint128_48k.mpg123-quarter.pcm", 2},
                      PeerCase{"l2_mono32_48k.mp2", "l2_mono32_48k.mpg123.pcm", 0},
                      PeerCase{"l2_mpeg2.mp2", "l2_mpeg2.mpg123.pcm", 0},
                      PeerCase{"l2_mpeg2.mp2", "l2_mpeg2.mpg123-half.pcm", 1}));

TEST(Layer2Peer, SingleChannelAt32KbitsAnd48KHzUsesTheEightSubbandTable) {
    const std::vector<uint8_t> stream = fixture("l2_mono32_48k.mp2");
    FrameHeader header;
    ASSERT_EQ(parseFrameHeader(stream.data(), header), kDecOk);
    EXPECT_EQ(header.mode, kSingleChannel);
    EXPECT_EQ(layer2AllocationTable(header).subbands, 8);
}

TEST(Layer2Peer, MonoOutputSumsBothChannels) {
    const std::vector<int16_t> stereo = test::samples16(fixture("l2_joint128_48k.mpg123.pcm"));
    std::vector<int16_t> sum(stereo.size() / 2);
    for (size_t i = 0; i < sum.size(); ++i) {
        sum[i] = static_cast<int16_t>(std::clamp(stereo[2 * i] + stereo[2 * i + 1], -32768, 32767));
    }
    // Each rounded channel is up to half an LSB off, the truncated sum up to one.
    expectClose(decoded("l2_joint128_48k.mp2", 0, 1), sum, 1.0, 2);
}

TEST(Layer2Peer, LeftOrRightOnlyOutputIsThatChannelOfTheStereoDecode) {
    const std::vector<int16_t> stereo = decoded("l2_joint128_48k.mp2", 0, 0);
    const std::vector<int16_t> left = decoded("l2_joint128_48k.mp2", 0, 2);
    const std::vector<int16_t> right = decoded("l2_joint128_48k.mp2", 0, 3);
    ASSERT_EQ(left.size() * 2, stereo.size());
    ASSERT_EQ(right.size() * 2, stereo.size());
    for (size_t i = 0; i < left.size(); ++i) {
        ASSERT_EQ(left[i], stereo[2 * i]);
        ASSERT_EQ(right[i], stereo[2 * i + 1]);
    }
}

TEST(Layer2Peer, EightBitOutputIsTheHighByteOfTheSixteenBitSamples) {
    const test::DecodedStream d =
        test::decodeStream(fixture("l2_joint128_48k.mp2"), DecodeOptions{0, 8, 24000});
    ASSERT_EQ(d.bitsPerSample, 8);
    const std::vector<int16_t> expected = test::samples16(fixture("l2_joint128_48k.mpg123.pcm"));
    ASSERT_GE(d.pcm.size(), expected.size());
    int largest = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const int ours = d.pcm[i] - 128;
        largest = std::max(largest, std::abs(ours - (expected[i] >> 8)));
    }
    EXPECT_LE(largest, 1);
}

}  // namespace
}  // namespace velk
