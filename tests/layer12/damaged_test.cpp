// Layer I and II frames with hostile contents: every allocation at its maximum, scale-factor
// index 63, random payloads over every header combination, frames cut short, a joint-stereo
// bound past the table's subband count. Nothing may read outside the frame or leave the
// output unwritten.
#include <gtest/gtest.h>

#include <random>

#include "decoder/decoder.h"
#include "decoder/layer12_decoder.h"
#include "decoder/synthesis.h"
#include "support/mpeg_frames.h"

namespace velk {
namespace {

using test::HeaderFields;

// Decodes `frame` (header included) on its own in a buffer of exactly its size, and checks
// that exactly the output size was written.
void decodeAlone(const std::vector<uint8_t>& frame, const DecodeOptions& options) {
    Decoder decoder;
    decoder.setOptions(options);
    std::vector<uint8_t> padded = frame;
    padded.resize(std::max<size_t>(frame.size(), 160), 0);  // the set-up reads 156 bytes
    ASSERT_TRUE(decoder.decodeInit(padded.data(), padded.size()));
    const size_t outputSize = static_cast<size_t>(decoder.outputSize());
    std::vector<uint8_t> out(outputSize + 16, 0xAB);
    auto input = std::make_unique<uint8_t[]>(frame.size());
    std::copy(frame.begin(), frame.end(), input.get());
    FrameDecodeRequest request;
    request.inputBuf = input.get();
    request.inputSize = static_cast<int32_t>(frame.size());
    request.outputBuf = out.data();
    ASSERT_TRUE(decoder.decodeFrame(request));
    EXPECT_EQ(static_cast<size_t>(request.outputSize), outputSize);
    for (size_t i = outputSize; i < out.size(); ++i) ASSERT_EQ(out[i], 0xAB);
}

std::vector<uint8_t> frameWith(const HeaderFields& format, int modeExtension, uint8_t fill) {
    std::vector<uint8_t> frame(static_cast<size_t>(test::frameBytes(format)), fill);
    const std::vector<uint8_t> header = test::headerBytes(format);
    std::copy(header.begin(), header.end(), frame.begin());
    frame[3] = static_cast<uint8_t>(frame[3] | (modeExtension << 4));
    return frame;
}

TEST(DamagedLayer12, AllOnesPayloadInEveryHeaderCombination) {
    for (int layer = 1; layer <= 2; ++layer) {
        for (int version = 1; version <= 3; ++version) {
            for (int bitrate = 1; bitrate <= 14; ++bitrate) {
                for (int rate = 0; rate < 3; ++rate) {
                    for (int mode = 0; mode < 4; ++mode) {
                        const HeaderFields format{version, layer, bitrate,  rate,
                                                  0,       mode,  mode == 2};
                        // Mode extension 3 with a low-rate table puts the bound (16) past
                        // the table's 8 or 12 subbands.
                        decodeAlone(frameWith(format, 3, 0xFF), DecodeOptions{0, 0, 24000});
                    }
                }
            }
        }
    }
}

TEST(DamagedLayer12, RandomPayloadsAtEveryOutputForm) {
    std::mt19937 rng(99);
    for (int round = 0; round < 400; ++round) {
        const HeaderFields format{1 + static_cast<int>(rng() % 3),
                                  1 + static_cast<int>(rng() % 2),
                                  1 + static_cast<int>(rng() % 14),
                                  static_cast<int>(rng() % 3),
                                  static_cast<int>(rng() % 2),
                                  static_cast<int>(rng() % 4),
                                  rng() % 2 == 0};
        std::vector<uint8_t> frame = frameWith(format, static_cast<int>(rng() % 4), 0);
        for (size_t i = 4; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(rng());
        const int convert = (rng() % 2 ? 8 : 0) | static_cast<int>(rng() % 4);
        decodeAlone(frame, DecodeOptions{static_cast<int>(rng() % 3), convert,
                                         static_cast<int>(rng() % 30000)});
    }
}

TEST(DamagedLayer12, AFrameCutShortReadsOnlyWhatItWasGiven) {
    Synthesis synthesis;
    synthesis.configure(2, 0, false);
    Layer12Decoder decoder(synthesis);
    const HeaderFields format{1, 2, 14, 0, 0, 0, false};
    const std::vector<uint8_t> full = frameWith(format, 0, 0xFF);
    FrameHeader header;
    ASSERT_EQ(parseFrameHeader(full.data(), header), kDecOk);
    decoder.setup(StreamSetup{header, DecodeOptions{0, 0, 24000}, 44100, 2, 1152 * 4, false});
    std::vector<uint8_t> out(1152 * 4);
    for (size_t length : {size_t{4}, size_t{6}, size_t{20}, full.size() / 2}) {
        auto cut = std::make_unique<uint8_t[]>(length);
        std::copy(full.begin(), full.begin() + static_cast<ptrdiff_t>(length), cut.get());
        decoder.decodeFrame(header, cut.get(), length, out.data());
    }
}

}  // namespace
}  // namespace velk
