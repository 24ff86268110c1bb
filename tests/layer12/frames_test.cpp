// Hand-made Layer I and II frames: the joint-stereo bound, the frequency-limit skip, table
// selection, and frames that change layer or mode in the middle of a stream.
#include <gtest/gtest.h>

#include <climits>

#include "decoder/decoder.h"
#include "decoder/layer12_decoder.h"
#include "decoder/layer12_tables.h"
#include "decoder/subband_limit.h"
#include "support/frame_builder.h"
#include "support/stream_decode.h"

namespace velk {
namespace {

using test::FrameBuilder;
using test::HeaderFields;

std::vector<uint8_t> repeat(const std::vector<uint8_t>& frame, int count) {
    std::vector<uint8_t> out;
    for (int i = 0; i < count; ++i) out.insert(out.end(), frame.begin(), frame.end());
    return out;
}

std::vector<int16_t> decodeAll(const std::vector<uint8_t>& stream, int freqLimit = 24000) {
    const test::DecodedStream d = test::decodeStream(stream, DecodeOptions{0, 0, freqLimit});
    EXPECT_TRUE(d.initialised);
    return test::samples16(d.pcm);
}

bool anyNonZero(const std::vector<int16_t>& samples, size_t first, size_t step) {
    for (size_t i = first; i < samples.size(); i += step) {
        if (samples[i] != 0) return true;
    }
    return false;
}

// Layer I, 44.1 kHz, 448 kbit/s: subband 3 of the left channel and subband 10 of both, the
// latter either shared past a bound of 8 subbands (joint stereo, mode extension 1) or coded
// twice (stereo). The right channel's scale factor 3 halves its level.
std::vector<uint8_t> layer1BoundFrame(bool joint) {
    const HeaderFields format{1, 1, 14, 0, 0, joint ? 1 : 0, false};
    FrameBuilder f(format, joint ? 1 : 0);
    for (int sb = 0; sb < 32; ++sb) {
        const int left = sb == 3 ? 3 : sb == 10 ? 4 : 0;
        const int right = sb == 10 ? 4 : 0;
        f.put(left, 4);
        if (sb < 8 || !joint) f.put(right, 4);
    }
    f.put(6, 6);  // subband 3 left
    f.put(0, 6);  // subband 10 left
    f.put(3, 6);  // subband 10 right
    for (int slot = 0; slot < 12; ++slot) {
        f.put((slot * 5 + 3) & 15, 4);
        f.put((slot * 7 + 1) & 31, 5);
        if (!joint) f.put((slot * 7 + 1) & 31, 5);
    }
    return f.finish();
}

TEST(Layer1Frames, PastTheJointStereoBoundOneSampleServesBothChannels) {
    const std::vector<int16_t> joint = decodeAll(repeat(layer1BoundFrame(true), 3));
    const std::vector<int16_t> stereo = decodeAll(repeat(layer1BoundFrame(false), 3));
    EXPECT_EQ(joint, stereo);
    EXPECT_TRUE(anyNonZero(joint, 1, 2));
}

// One channel at 44.1 kHz with signal in subband 2 and, unless `lowOnly`, in subbands 12 and 20.
std::vector<uint8_t> layer1LimitFrame(bool lowOnly) {
    FrameBuilder f(HeaderFields{1, 1, 14, 0, 0, 3, false});
    const auto allocation = [&](int sb) {
        return sb == 2 ? 3 : !lowOnly && sb == 12 ? 5 : !lowOnly && sb == 20 ? 2 : 0;
    };
    for (int sb = 0; sb < 32; ++sb) f.put(allocation(sb), 4);
    for (int sb = 0; sb < 32; ++sb) {
        if (allocation(sb)) f.put(4, 6);
    }
    for (int slot = 0; slot < 12; ++slot) {
        for (int sb = 0; sb < 32; ++sb) {
            if (allocation(sb))
                f.put((slot * 3 + sb) & ((2 << allocation(sb)) - 1), allocation(sb) + 1);
        }
    }
    return f.finish();
}

// One channel at 44.1 kHz, 192 kbit/s (table B.2b): subband 2 with 7 steps and three scale
// factors, and unless `lowOnly` subband 12 with grouped 3-step codes and subband 20 with 15
// steps, so that the skip above the limit covers both a grouped and a plain class.
std::vector<uint8_t> layer2LimitFrame(bool lowOnly) {
    FrameBuilder f(HeaderFields{1, 2, 10, 0, 0, 3, false});
    const int allocationBits[30] = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3,
                                    3, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2};
    for (int sb = 0; sb < 30; ++sb) {
        const int value = sb == 2 ? 2 : !lowOnly && sb == 12 ? 1 : !lowOnly && sb == 20 ? 5 : 0;
        f.put(value, allocationBits[sb]);
    }
    f.put(0, 2);
    if (!lowOnly) {
        f.put(2, 2);
        f.put(1, 2);
    }
    f.put(5, 6), f.put(7, 6), f.put(9, 6);
    if (!lowOnly) {
        f.put(4, 6);
        f.put(8, 6), f.put(2, 6);
    }
    for (int group = 0; group < 12; ++group) {
        for (int s = 0; s < 3; ++s) f.put((group + 2 * s) % 7, 3);
        if (lowOnly) continue;
        f.put((group * 5) % 27, 5);
        for (int s = 0; s < 3; ++s) f.put((group * 3 + s) % 15, 4);
    }
    return f.finish();
}

TEST(Layer12Frames, AFrequencyLimitOfAnEighthOfTheRateKeepsEightSubbandsAndTheBitsInStep) {
    EXPECT_EQ(subbandLimitFor(44100, 44100 / 8, 0), 8);
    for (const auto make : {layer1LimitFrame, layer2LimitFrame}) {
        const std::vector<uint8_t> full = repeat(make(false), 3);
        const std::vector<uint8_t> low = repeat(make(true), 3);
        EXPECT_EQ(decodeAll(full, 44100 / 8), decodeAll(low));
        EXPECT_NE(decodeAll(full), decodeAll(low));
    }
}

TEST(Layer12Frames, SubbandLimitFollowsRateReductionAndHostileValues) {
    EXPECT_EQ(subbandLimitFor(44100, 24000, 0), 32);
    EXPECT_EQ(subbandLimitFor(44100, 24000, 1), 16);
    EXPECT_EQ(subbandLimitFor(44100, 24000, 2), 8);
    EXPECT_EQ(subbandLimitFor(24000, 6000, 0), 16);
    EXPECT_EQ(subbandLimitFor(44100, INT_MAX, 0), 32);
    EXPECT_EQ(subbandLimitFor(44100, -5, 0), 0);
    EXPECT_EQ(subbandLimitFor(0, 24000, 0), 0);
}

TEST(Layer2Tables, SelectionFollowsRatePerChannelAndSampleRate) {
    struct Case {
        int version, bitrateIndex, rateIndex, mode, subbands;
    };
    const Case cases[] = {
        {1, 8, 0, 0, 27},   // 44.1 kHz stereo 128: 64 per channel
        {1, 10, 0, 0, 30},  // 44.1 kHz stereo 192: 96 per channel
        {1, 10, 1, 0, 27},  // 48 kHz stereo 192
        {1, 10, 2, 1, 30},  // 32 kHz joint stereo 192
        {1, 1, 1, 3, 8},    // 48 kHz mono 32
        {1, 2, 0, 3, 8},    // 44.1 kHz mono 48
        {1, 2, 2, 3, 12},   // 32 kHz mono 48
        {1, 1, 0, 0, 8},    // stereo 32, not allowed: nearest is 32 per channel
        {1, 5, 0, 2, 8},    // dual channel 80, not allowed: 40 per channel is nearest 48
        {1, 14, 0, 3, 30},  // mono 384, not allowed: nearest is 192
        {2, 8, 0, 0, 30},   // the lower rates
        {3, 1, 2, 3, 30},   // MPEG-2.5 takes the MPEG-2 rows
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = test::headerBytes(
            HeaderFields{c.version, 2, c.bitrateIndex, c.rateIndex, 0, c.mode, false});
        FrameHeader header;
        ASSERT_EQ(parseFrameHeader(bytes.data(), header), kDecOk);
        EXPECT_EQ(layer2AllocationTable(header).subbands, c.subbands)
            << c.version << " " << c.bitrateIndex << " " << c.rateIndex << " " << c.mode;
    }
}

TEST(Layer2Tables, ScaleFactorsAndClassesAtTheDecoderScale) {
    EXPECT_FLOAT_EQ(scaleFactorMultiplier(0), 65536.0f);
    EXPECT_FLOAT_EQ(scaleFactorMultiplier(3), 32768.0f);
    EXPECT_GT(scaleFactorMultiplier(63), 0.0f);
    const QuantClass& three = quantClass(0);
    EXPECT_TRUE(three.grouped);
    EXPECT_EQ(three.bits, 5);
    const int8_t* codes = degroupTable(3);
    // Code 5 = 2 + 1 * 3 + 0 * 9: values 1, 0, -1 once centred.
    EXPECT_EQ(codes[15], 1);
    EXPECT_EQ(codes[16], 0);
    EXPECT_EQ(codes[17], -1);
    EXPECT_EQ(layer1Class(15).bits, 16);
    EXPECT_EQ(layer1Class(15).steps, 65535);
}

TEST(Layer12Frames, MonoFramesInAStereoStreamFeedBothChannels) {
    std::vector<uint8_t> stream = repeat(layer1BoundFrame(false), 2);
    const std::vector<uint8_t> mono = repeat(layer1LimitFrame(false), 2);
    stream.insert(stream.end(), mono.begin(), mono.end());
    const std::vector<int16_t> pcm = decodeAll(stream);
    ASSERT_EQ(pcm.size(), 4u * 384 * 2);
    // The channels' filterbank histories differ for 16 slots after the mono frames begin.
    const size_t same = (2 * 384 + 16 * 32) * 2;
    for (size_t i = same; i < pcm.size(); i += 2) ASSERT_EQ(pcm[i], pcm[i + 1]);
    EXPECT_TRUE(anyNonZero(pcm, same, 1));
}

TEST(Layer12Frames, AFrameOfAnotherLayerGivesSilenceWithinTheFrameOutput) {
    const std::vector<uint8_t> first = layer1LimitFrame(false);
    Decoder decoder;
    ASSERT_TRUE(decoder.decodeInit(first.data(), first.size()));
    const std::vector<uint8_t> other = layer2LimitFrame(false);
    std::vector<uint8_t> out(static_cast<size_t>(decoder.outputSize()) + 64, 0xAB);
    FrameDecodeRequest request;
    request.inputBuf = other.data();
    request.inputSize = static_cast<int32_t>(other.size());
    request.outputBuf = out.data();
    ASSERT_TRUE(decoder.decodeFrame(request));
    for (int i = 0; i < decoder.outputSize(); ++i) ASSERT_EQ(out[i], 0);
    for (size_t i = static_cast<size_t>(decoder.outputSize()); i < out.size(); ++i) {
        ASSERT_EQ(out[i], 0xAB);
    }
}

}  // namespace
}  // namespace velk
