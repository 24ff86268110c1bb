// Layer III streams made by lame from a synthetic signal, against mpg123's decoding of them
// (rounded, so a truncating decoder sits about 0.7 LSB RMS and 1 LSB at most away): MPEG-1,
// MPEG-2 and MPEG-2.5 joint stereo, half and quarter rate, the mono conversions and 8-bit
// output.
//   sox -m (sine 440 + sine 1250) (sweep 200-9000 Hz + square 330 Hz), 0.5 s, 44.1 kHz stereo
//   lame -t -m j -b 128 --lowpass 4 --resample 44.1  -> l3_joint128_44k.mp3
//   lame -t -m j -b 64 --lowpass 5 --resample 22.05  -> l3_mpeg2_22k.mp3
//   lame -t -m j -b 32 --lowpass 3 --resample 11.025 -> l3_mpeg25_11k.mp3
//   sox pink noise, 0.5 s; lame -t -m s -b 32 --allshort --lowpass 3 --resample 11.025 or 8
//                                                    -> l3_mpeg25_11k_short.mp3,
//                                                    l3_mpeg25_8k_short.mp3
//   mpg123 -q --no-gapless -s [-2|-4] FILE           -> FILE.mpg123[-half|-quarter].pcm
// The lower rates also come at full bandwidth, where their top bands (above long boundary 21
// and short boundary 11) carry coded signal, and with a few short blocks each:
//   sox -n -r RATE -c 2 synth 0.4 whitenoise sine 100-(RATE/2) tremolo 6 90 vol 0.6
//   lame -t -m j -b KBPS --lowpass -1 -> l3_mpeg2_{22k,24k,16k}_full.mp3 (64, 64, 48 kbit/s),
//                                        l3_mpeg25_{11k,12k,8k}_full.mp3 (32, 32, 64 kbit/s)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/stream_decode.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

std::vector<uint8_t> fixture(const std::string& name) {
    return test::readFileBytes(std::string(VELK_TEST_DATA_DIR) + "/" + name);
}

std::vector<int16_t> reference(const std::string& name) {
    return test::samples16(fixture(name));
}

test::DecodedStream decode(const std::string& stream, DecodeOptions options,
                           const int32_t* equalizer = nullptr) {
    test::DecodedStream d = test::decodeStream(fixture(stream), options, equalizer);
    EXPECT_TRUE(d.initialised) << stream;
    return d;
}

void expectClose(const std::vector<int16_t>& ours, const std::vector<int16_t>& expected,
                 int largest = 1) {
    const test::Difference d = test::compareSamples(ours, expected);
    EXPECT_EQ(d.compared, expected.size());
    EXPECT_LE(d.rms, 0.8);
    EXPECT_LE(d.largest, largest);
}

std::vector<int16_t> channel(const std::vector<int16_t>& stereo, int which) {
    std::vector<int16_t> out(stereo.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) out[i] = stereo[2 * i + static_cast<size_t>(which)];
    return out;
}

struct PeerCase {
    const char* stream;
    const char* expected;
    int reduction;
};

void PrintTo(const PeerCase& c, std::ostream* os) {
    *os << c.expected;
}

class Layer3Peer : public ::testing::TestWithParam<PeerCase> {};

TEST_P(Layer3Peer, MatchesMpg123) {
    const PeerCase& c = GetParam();
    const test::DecodedStream d = decode(c.stream, DecodeOptions{c.reduction, 0, 24000});
    EXPECT_EQ(d.channels, 2);
    expectClose(test::samples16(d.pcm), reference(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Streams, Layer3Peer,
    ::testing::Values(PeerCase{"l3_joint128_44k.mp3", "l3_joint128_44k.mpg123.pcm", 0},
                      PeerCase{"l3_joint128_44k.mp3", "l3_joint128_44k.mpg123-half.pcm", 1},
                      PeerCase{"l3_joint128_44k.mp3", "l3_joint128_44k.mpg123-quarter.pcm", 2},
                      PeerCase{"l3_mpeg2_22k.mp3", "l3_mpeg2_22k.mpg123.pcm", 0},
                      PeerCase{"l3_mpeg25_11k.mp3", "l3_mpeg25_11k.mpg123.pcm", 0},
                      // Short blocks only: the MPEG-2.5 short-band rows.
                      PeerCase{"l3_mpeg25_11k_short.mp3", "l3_mpeg25_11k_short.mpg123.pcm", 0},
                      PeerCase{"l3_mpeg25_8k_short.mp3", "l3_mpeg25_8k_short.mpg123.pcm", 0},
                      PeerCase{"l3_mpeg2_22k_full.mp3", "l3_mpeg2_22k_full.mpg123.pcm", 0},
                      PeerCase{"l3_mpeg2_24k_full.mp3", "l3_mpeg2_24k_full.mpg123.pcm", 0},
                      PeerCase{"l3_mpeg2_16k_full.mp3", "l3_mpeg2_16k_full.mpg123.pcm", 0},
                      PeerCase{"l3_mpeg25_11k_full.mp3", "l3_mpeg25_11k_full.mpg123.pcm", 0},
                      PeerCase{"l3_mpeg25_12k_full.mp3", "l3_mpeg25_12k_full.mpg123.pcm", 0},
                      PeerCase{"l3_mpeg25_8k_full.mp3", "l3_mpeg25_8k_full.mpg123.pcm", 0}));

TEST(Layer3Conversions, MixToMonoIsTheUnhalvedSumOfBothChannels) {
    const test::DecodedStream d = decode("l3_joint128_44k.mp3", DecodeOptions{0, 1, 24000});
    EXPECT_EQ(d.channels, 1);
    const std::vector<int16_t> stereo = reference("l3_joint128_44k.mpg123.pcm");
    std::vector<int16_t> sum(stereo.size() / 2);
    for (size_t i = 0; i < sum.size(); ++i) {
        sum[i] = static_cast<int16_t>(std::clamp(stereo[2 * i] + stereo[2 * i + 1], -32768, 32767));
    }
    // Each reference channel was rounded on its own: the sum may be 1 LSB further away.
    expectClose(test::samples16(d.pcm), sum, 2);
}

TEST(Layer3Conversions, LeftOrRightChannelOnly) {
    const std::vector<int16_t> stereo = reference("l3_joint128_44k.mpg123.pcm");
    for (int which = 0; which < 2; ++which) {
        const test::DecodedStream d =
            decode("l3_joint128_44k.mp3", DecodeOptions{0, 2 + which, 24000});
        EXPECT_EQ(d.channels, 1);
        expectClose(test::samples16(d.pcm), channel(stereo, which));
    }
}

TEST(Layer3Conversions, EightBitSamplesAreTheTopByteWithTheSignBitInverted) {
    const test::DecodedStream d = decode("l3_joint128_44k.mp3", DecodeOptions{0, 8, 24000});
    EXPECT_EQ(d.bitsPerSample, 8);
    const std::vector<int16_t> expected16 = reference("l3_joint128_44k.mpg123.pcm");
    ASSERT_EQ(d.pcm.size(), expected16.size());
    int largest = 0;
    for (size_t i = 0; i < d.pcm.size(); ++i) {
        const int expected = ((expected16[i] >> 8) & 0xFF) ^ 0x80;
        largest = std::max(largest, std::abs(int{d.pcm[i]} - expected));
    }
    EXPECT_LE(largest, 1);
}

TEST(Layer3Conversions, MonoHalfRateEightBitCombine) {
    const test::DecodedStream d = decode("l3_joint128_44k.mp3", DecodeOptions{1, 8 | 2, 24000});
    EXPECT_EQ(d.channels, 1);
    EXPECT_EQ(d.frequency, 22050);
    const std::vector<int16_t> half = channel(reference("l3_joint128_44k.mpg123-half.pcm"), 0);
    ASSERT_EQ(d.pcm.size(), half.size());
    for (size_t i = 0; i < half.size(); ++i) {
        ASSERT_LE(std::abs(int{d.pcm[i]} - ((((half[i] >> 8) & 0xFF) ^ 0x80))), 1) << i;
    }
}

// +12 dB in every band multiplies the output by 10^0.6 at full rate; the reduced forms do not
// apply the equalizer.
double levelRatio(const std::vector<int16_t>& louder, const std::vector<int16_t>& plain) {
    double cross = 0, power = 0;
    for (size_t i = 0; i < std::min(louder.size(), plain.size()); ++i) {
        if (std::abs(plain[i]) > 8000) continue;  // a fourfold level would clip
        cross += double(louder[i]) * plain[i];
        power += double(plain[i]) * plain[i];
    }
    return power > 0 ? cross / power : 0.0;
}

TEST(Layer3Equalizer, TwelveDecibelsInEveryBandAtFullRate) {
    const int32_t gains[10] = {120, 120, 120, 120, 120, 120, 120, 120, 120, 120};
    const test::DecodedStream plain = decode("l3_joint128_44k.mp3", DecodeOptions{0, 0, 24000});
    const test::DecodedStream louder =
        decode("l3_joint128_44k.mp3", DecodeOptions{0, 0, 24000}, gains);
    EXPECT_NEAR(levelRatio(test::samples16(louder.pcm), test::samples16(plain.pcm)),
                std::pow(10.0, 0.6), 0.02);
}

TEST(Layer3Equalizer, ReducedRatesIgnoreTheEqualizer) {
    const int32_t gains[10] = {120, 120, 120, 120, 120, 120, 120, 120, 120, 120};
    const test::DecodedStream plain = decode("l3_joint128_44k.mp3", DecodeOptions{1, 0, 24000});
    const test::DecodedStream withTable =
        decode("l3_joint128_44k.mp3", DecodeOptions{1, 0, 24000}, gains);
    EXPECT_EQ(plain.pcm, withTable.pcm);
}

}  // namespace
}  // namespace velk
