#include <gtest/gtest.h>

#include "decoder/decoder.h"
#include "support/mpeg_frames.h"

namespace velk {
namespace {

using test::headerBytes;
using test::HeaderFields;

TEST(FrameHeader, DecodesEveryField) {
    const uint8_t bytes[4] = {0xFF, 0xFA, 0x92, 0xE7};  // MPEG-1 L3 CRC, 128k, 44.1k, pad, priv
    FrameHeader h{};
    ASSERT_EQ(parseFrameHeader(bytes, h), kDecOk);
    EXPECT_EQ(h.version, 1u);
    EXPECT_EQ(h.layer, 3u);
    EXPECT_EQ(h.errorProtection, 1u);
    EXPECT_EQ(h.bitrateIndex, 9u);
    EXPECT_EQ(h.samplingFrequencyIndex, 0u);
    EXPECT_EQ(h.padding, 1u);
    EXPECT_EQ(h.extension, 0u);
    EXPECT_EQ(h.mode, 3u);
    EXPECT_EQ(h.modeExtension, 2u);
    EXPECT_EQ(h.rightsFlag, 0u);
    EXPECT_EQ(h.homeFlag, 1u);
    EXPECT_EQ(h.emphasis, 3u);
    EXPECT_EQ(bitrateKbps(h), 128);
    EXPECT_EQ(sampleRateHz(h), 44100);
}

TEST(FrameHeader, VersionsAndTheirTables) {
    struct Case {
        int version, layer, index, kbps, rate;
    } cases[] = {{1, 1, 14, 448, 44100}, {1, 2, 14, 384, 44100}, {1, 3, 14, 320, 44100},
                 {2, 1, 14, 256, 22050}, {2, 2, 14, 160, 22050}, {2, 3, 1, 8, 22050},
                 {3, 3, 14, 160, 11025}};
    for (const auto& c : cases) {
        FrameHeader h{};
        const auto b = headerBytes({c.version, c.layer, c.index, 0, 0, 0, false});
        ASSERT_EQ(parseFrameHeader(b.data(), h), kDecOk) << c.version << " " << c.layer;
        EXPECT_EQ(h.version, static_cast<uint32_t>(c.version));
        EXPECT_EQ(bitrateKbps(h), c.kbps);
        EXPECT_EQ(sampleRateHz(h), c.rate);
    }
}

TEST(FrameHeader, Rejections) {
    FrameHeader h{};
    const uint8_t notFF[4] = {0xFE, 0xFB, 0x90, 0x00};
    EXPECT_EQ(parseFrameHeader(notFF, h), kDecNoHeader);
    const uint8_t badNibble[4] = {0xFF, 0xDB, 0x90, 0x00};
    EXPECT_EQ(parseFrameHeader(badNibble, h), kDecNoHeader);
    const uint8_t freeFormat[4] = {0xFF, 0xFB, 0x00, 0x00};
    EXPECT_EQ(parseFrameHeader(freeFormat, h), kDecBadField);
    const uint8_t index15[4] = {0xFF, 0xFB, 0xF0, 0x00};
    EXPECT_EQ(parseFrameHeader(index15, h), kDecBadField);
    const uint8_t rate3[4] = {0xFF, 0xFB, 0x9C, 0x00};
    EXPECT_EQ(parseFrameHeader(rate3, h), kDecBadField);
    const uint8_t layer0[4] = {0xFF, 0xF9, 0x90, 0x00};
    EXPECT_EQ(parseFrameHeader(layer0, h), kDecBadField);
}

TEST(FrameSync, LastThreeBytesAreNeverStartingPoints) {
    Decoder decoder;
    std::vector<uint8_t> buffer(64, 0);
    buffer[61] = 0xFF;
    buffer[62] = 0xFA;
    size_t offset = 99;
    EXPECT_FALSE(decoder.findFrameSync(buffer.data(), buffer.size(), offset));
    EXPECT_EQ(offset, 0u);
    EXPECT_EQ(decoder.error(), kDecShortInput);

    buffer[60] = 0xFF;
    buffer[61] = 0xFA;
    EXPECT_TRUE(decoder.findFrameSync(buffer.data(), buffer.size(), offset));
    EXPECT_EQ(offset, 60u);  // length - 4

    const uint8_t tiny[3] = {0xFF, 0xFB, 0x90};
    EXPECT_FALSE(decoder.findFrameSync(tiny, sizeof tiny, offset));
    EXPECT_EQ(decoder.error(), kDecShortInput);
}

TEST(FrameSync, AcceptsMpeg25Nibble) {
    Decoder decoder;
    const uint8_t bytes[6] = {0x00, 0xFF, 0xE3, 0x00, 0x00, 0x00};
    size_t offset = 0;
    ASSERT_TRUE(decoder.findFrameSync(bytes, sizeof bytes, offset));
    EXPECT_EQ(offset, 1u);
}

TEST(FrameLength, AllLayers) {
    EXPECT_EQ(test::frameBytes({1, 3, 9, 0, 0, 0, false}), 417);  // 128k 44.1k
    EXPECT_EQ(test::frameBytes({1, 3, 9, 0, 1, 0, false}), 418);
    EXPECT_EQ(test::frameBytes({1, 2, 10, 1, 0, 0, false}), 576);  // 192k 48k
    EXPECT_EQ(test::frameBytes({1, 1, 14, 1, 0, 0, false}), 448 * 12000 / 48000 * 4);
    EXPECT_EQ(test::frameBytes({2, 3, 4, 0, 0, 3, false}), 144 * 32000 / 22050 / 2);
}

TEST(FrameArithmetic, SamplesPaddingAndDurations) {
    FrameHeader h{};
    h.version = 1;
    h.layer = 1;
    EXPECT_EQ(samplesPerFrame(h), 384);
    EXPECT_EQ(paddingSlotBytes(h), 4);
    h.layer = 2;
    EXPECT_EQ(samplesPerFrame(h), 1152);
    EXPECT_EQ(paddingSlotBytes(h), 1);
    h.layer = 3;
    EXPECT_EQ(samplesPerFrame(h), 1152);
    h.version = 3;
    EXPECT_EQ(samplesPerFrame(h), 576);
    h.layer = 2;
    EXPECT_EQ(samplesPerFrame(h), 1152);  // only Layer III halves its frame below MPEG-1

    EXPECT_DOUBLE_EQ(reportedFrameMilliseconds(1, 0), 8.7075);
    EXPECT_DOUBLE_EQ(reportedFrameMilliseconds(3, 0), 26.1224);
    EXPECT_DOUBLE_EQ(reportedFrameMilliseconds(2, 2), 36.0);
    EXPECT_EQ(reportedFrameMilliseconds(3, 3), 0.0);
    EXPECT_EQ(frameMilliseconds(1, 3), 0.0);
    EXPECT_NEAR(frameMilliseconds(3, 0), 1152000.0 / 44100, 1e-5);
}

TEST(FrameArithmetic, WholeMillisecondScale) {
    EXPECT_DOUBLE_EQ(wholeMsFrameScale(0), 1.0);
    EXPECT_DOUBLE_EQ(wholeMsFrameScale(-8000), 1.0);
    EXPECT_DOUBLE_EQ(wholeMsFrameScale(48000), 1.0);  // exactly 24 ms
    const double frameMs = 1152000.0 / 44100;
    EXPECT_DOUBLE_EQ(wholeMsFrameScale(44100), 26.0 / frameMs);
}

TEST(FrameArithmetic, PcmBytesAndSamples) {
    EXPECT_EQ(pcmBytesToSamples(4608, 16, 2), 1152);
    EXPECT_EQ(pcmBytesToSamples(1152, 8, 1), 1152);
    EXPECT_EQ(pcmBytesToSamples(4607, 16, 2), 1144);  // counted in whole steps of eight samples
    EXPECT_EQ(pcmBytesToSamples(4608, 0, 2), 0);
    EXPECT_EQ(pcmBytesToSamples(4608, 16, 0), 0);
    EXPECT_EQ(pcmSamplesToBytes(1152, 16, 2), 4608);
    EXPECT_EQ(pcmSamplesToBytes(1152, 8, 1), 1152);
    for (int64_t samples : {0, 8, 1152, 88200}) {
        EXPECT_EQ(pcmBytesToSamples(pcmSamplesToBytes(samples, 16, 2), 16, 2), samples);
    }
}

}  // namespace
}  // namespace velk
