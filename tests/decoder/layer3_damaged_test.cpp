// Damaged and hostile Layer III input: random payloads, lengths past the frame, the empty
// tables, reservoir pointers past the data held, and streams that change layer or rate.
// None may crash, hang, read outside a buffer or write past the output size.
#include <gtest/gtest.h>

#include <random>

#include "decoder/decoder.h"
#include "layer3_frames.h"

namespace velk {
namespace {

using test::HeaderFields;
using test::Layer3FrameFields;

constexpr uint8_t kUntouched = 0x5A;
constexpr size_t kGuard = 64;

// Decodes `frames` one after another, each from a buffer of exactly its size; returns the
// output of each frame (the output buffer starts filled with kUntouched).
std::vector<std::vector<uint8_t>> decodeFrames(const std::vector<std::vector<uint8_t>>& frames,
                                               const DecodeOptions& options = {0, 0, 24000}) {
    std::vector<std::vector<uint8_t>> outputs;
    Decoder decoder;
    decoder.setOptions(options);
    std::vector<uint8_t> first = frames.front();
    first.resize(std::max<size_t>(first.size(), 156), 0);  // the stream information reads 156
    EXPECT_TRUE(decoder.decodeInit(first.data(), first.size()));
    const size_t size = static_cast<size_t>(decoder.outputSize());
    for (const std::vector<uint8_t>& frame : frames) {
        std::vector<uint8_t> input = frame;
        std::vector<uint8_t> output(size + kGuard, kUntouched);
        FrameDecodeRequest request;
        request.inputBuf = input.data();
        request.inputSize = static_cast<int32_t>(input.size());
        request.outputBuf = output.data();
        if (decoder.decodeFrame(request)) {
            EXPECT_EQ(request.outputSize, static_cast<int32_t>(size));
        }
        for (size_t i = size; i < output.size(); ++i) {
            EXPECT_EQ(output[i], kUntouched);
        }
        output.resize(size);
        outputs.push_back(output);
    }
    return outputs;
}

bool isSilent(const std::vector<uint8_t>& pcm) {
    for (uint8_t b : pcm) {
        if (b != 0) return false;
    }
    return true;
}

std::vector<uint8_t> randomBytes(std::mt19937& rng, size_t count) {
    std::vector<uint8_t> v(count);
    for (uint8_t& b : v) b = static_cast<uint8_t>(rng());
    return v;
}

Layer3FrameFields shape(int version, int mode, int bitrateIndex = 9) {
    Layer3FrameFields s;
    s.header = HeaderFields{version, 3, bitrateIndex, 0, 0, mode, false};
    return s;
}

TEST(Layer3Damaged, RandomPayloadsOfEveryStandardAndMode) {
    std::mt19937 rng(1234);
    for (int version = 1; version <= 3; ++version) {
        for (int mode = 0; mode < 4; ++mode) {
            std::vector<std::vector<uint8_t>> frames;
            for (int i = 0; i < 40; ++i) {
                HeaderFields h{version,
                               3,
                               1 + static_cast<int>(rng() % 14),
                               static_cast<int>(rng() % 3),
                               static_cast<int>(rng() % 2),
                               mode,
                               (rng() & 1) != 0};
                std::vector<uint8_t> frame = test::silentFrame(h);
                const std::vector<uint8_t> noise = randomBytes(rng, frame.size());
                std::copy(noise.begin() + 4, noise.end(), frame.begin() + 4);
                frame[3] = static_cast<uint8_t>((frame[3] & 0xC0) | (noise[3] & 0x3F));
                frames.push_back(frame);
            }
            decodeFrames(frames);
        }
    }
}

TEST(Layer3Damaged, ReservoirPointerPastTheDataHeldWritesNothing) {
    Layer3FrameFields s = shape(1, 0);
    s.mainDataBegin = 511;
    const auto outputs = decodeFrames({test::layer3Frame(s), test::layer3Frame(s)});
    for (uint8_t b : outputs[0]) ASSERT_EQ(b, kUntouched);
    // The second frame finds the first frame's main data (over 400 bytes) but not 511 bytes.
    for (uint8_t b : outputs[1]) ASSERT_EQ(b, kUntouched);
}

TEST(Layer3Damaged, PartLengthsPastTheFrameSilenceTheChannels) {
    Layer3FrameFields s = shape(1, 0);
    s.granule.part23Length = 4095;
    s.granule.bigValues = 288;
    s.granule.tableSelect[0] = s.granule.tableSelect[1] = s.granule.tableSelect[2] = 24;
    const auto outputs = decodeFrames({test::layer3Frame(s), test::layer3Frame(s)});
    for (const auto& out : outputs) EXPECT_TRUE(isSilent(out));
}

TEST(Layer3Damaged, BigValuesOf511AreClippedToTheLineLimit) {
    std::mt19937 rng(77);
    Layer3FrameFields s = shape(1, 3, 14);
    s.granule.bigValues = 511;
    s.granule.part23Length = 4095;
    s.granule.tableSelect[0] = 15;
    s.granule.tableSelect[1] = 31;
    s.granule.tableSelect[2] = 23;
    s.mainData = randomBytes(rng, 380);
    decodeFrames({test::layer3Frame(s), test::layer3Frame(s), test::layer3Frame(s)});
}

TEST(Layer3Damaged, EmptyTablesGiveZeroLines) {
    std::mt19937 rng(5);
    Layer3FrameFields s = shape(1, 3);
    s.granule.bigValues = 200;
    s.granule.part23Length = 0;
    s.granule.tableSelect[0] = 4;
    s.granule.tableSelect[1] = 14;
    s.granule.tableSelect[2] = 0;
    s.mainData = randomBytes(rng, 100);
    for (const auto& out : decodeFrames({test::layer3Frame(s), test::layer3Frame(s)})) {
        EXPECT_TRUE(isSilent(out));
    }
}

TEST(Layer3Damaged, HostileScaleFactorsAndGainsStayFinite) {
    std::mt19937 rng(99);
    for (int version = 1; version <= 2; ++version) {
        Layer3FrameFields s = shape(version, 1);
        s.modeExtension = 3;  // mid/side and intensity
        s.granule.globalGain = 255;
        s.granule.scalefacCompress = version == 1 ? 15 : 511;
        s.granule.part23Length = 600;
        s.granule.bigValues = 100;
        s.granule.tableSelect[0] = s.granule.tableSelect[1] = s.granule.tableSelect[2] = 31;
        s.mainData = randomBytes(rng, 120);
        std::vector<std::vector<uint8_t>> frames;
        for (int blockType = 0; blockType < 4; ++blockType) {
            s.granule.windowSwitching = blockType != 0;
            s.granule.blockType = static_cast<uint32_t>(blockType);
            s.granule.mixedBlock = static_cast<uint32_t>(blockType & 1);
            frames.push_back(test::layer3Frame(s));
        }
        decodeFrames(frames);
    }
}

TEST(Layer3Damaged, AnotherLayerOrStandardMidStreamPlaysAsSilence) {
    const std::vector<uint8_t> layer3 = test::silentFrame(HeaderFields{1, 3, 9, 0, 0, 0, false});
    const std::vector<uint8_t> layer2 = test::silentFrame(HeaderFields{1, 2, 9, 0, 0, 0, false});
    const std::vector<uint8_t> mpeg2 = test::silentFrame(HeaderFields{2, 3, 9, 0, 0, 0, false});
    const std::vector<uint8_t> rate = test::silentFrame(HeaderFields{1, 3, 9, 2, 0, 0, false});
    const auto outputs = decodeFrames({layer3, layer2, mpeg2, rate});
    EXPECT_TRUE(isSilent(outputs[1]));
    // The MPEG-2 frame is measured with the stream's rate and may not fit its buffer.
    EXPECT_TRUE(isSilent(outputs[3]));
}

TEST(Layer3Damaged, AFrameShorterThanItsSideInformationIsSilent) {
    std::mt19937 rng(3);
    const HeaderFields h{1, 3, 1, 1, 0, 0, true};  // 32 kbit/s at 48 kHz: 96 bytes
    std::vector<uint8_t> frame = test::silentFrame(h);
    const std::vector<uint8_t> noise = randomBytes(rng, frame.size());
    std::copy(noise.begin() + 4, noise.end(), frame.begin() + 4);
    decodeFrames({frame, frame});
}

TEST(Layer3Damaged, SelectingTheFrameDecoderEmptiesTheReservoir) {
    Layer3FrameFields s = shape(1, 3);
    const std::vector<uint8_t> plain = test::layer3Frame(s);
    s.mainDataBegin = 10;
    const std::vector<uint8_t> referring = test::layer3Frame(s);

    Decoder decoder;
    std::vector<uint8_t> first = plain;
    ASSERT_TRUE(decoder.decodeInit(first.data(), first.size()));
    std::vector<uint8_t> out(static_cast<size_t>(decoder.outputSize()), kUntouched);
    auto run = [&](const std::vector<uint8_t>& frame) {
        std::fill(out.begin(), out.end(), kUntouched);
        std::vector<uint8_t> input = frame;
        FrameDecodeRequest r;
        r.inputBuf = input.data();
        r.inputSize = static_cast<int32_t>(input.size());
        r.outputBuf = out.data();
        EXPECT_TRUE(decoder.decodeFrame(r));
    };
    run(plain);
    run(referring);
    EXPECT_TRUE(isSilent(out));  // decoded from the held data
    FrameHeader h;
    ASSERT_TRUE(decoder.parseFrameHeader(plain.data(), h));
    decoder.selectFrameDecoder(h);
    run(referring);
    EXPECT_EQ(out[0], kUntouched);  // nothing held any more: no output
    run(referring);
    EXPECT_TRUE(isSilent(out));
}

}  // namespace
}  // namespace velk
