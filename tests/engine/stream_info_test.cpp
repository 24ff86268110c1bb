// Stream information of the first frame: Xing and VBRI headers, frame sizes, the VBR seek.
#include <gtest/gtest.h>

#include <cstring>

#include "decoder/decoder.h"
#include "support/mpeg_frames.h"

namespace velk {
namespace {

using test::HeaderFields;

constexpr HeaderFields kMpeg1Stereo{1, 3, 9, 0, 0, 0, false};

std::vector<uint8_t> xingFrame(HeaderFields shape, size_t tagAt, uint32_t flags) {
    auto frame = test::silentFrame(shape);
    std::memcpy(frame.data() + tagAt, "Xing", 4);
    test::putBe32(frame, tagAt + 4, flags);
    size_t field = tagAt + 8;
    if (flags & 1) {
        test::putBe32(frame, field, 1234);
        field += 4;
    }
    if (flags & 2) {
        test::putBe32(frame, field, 256000);
        field += 4;
    }
    if (flags & 4) {
        for (int i = 0; i < 100; ++i) frame[field + i] = static_cast<uint8_t>(i * 2);
    }
    return frame;
}

std::vector<uint8_t> vbriFrame(uint16_t entryCount, uint16_t width, uint16_t scale = 1) {
    auto frame = test::silentFrame(kMpeg1Stereo);
    const size_t tag = 36;
    std::memcpy(frame.data() + tag, "VBRI", 4);
    test::putBe32(frame, tag + 10, 500000);
    test::putBe32(frame, tag + 14, 400);
    test::putBe16(frame, tag + 18, entryCount);
    test::putBe16(frame, tag + 20, scale);
    test::putBe16(frame, tag + 22, width);
    test::putBe16(frame, tag + 24, 4);
    for (size_t i = 0;
         i < static_cast<size_t>(entryCount + 1) * width && tag + 26 + i < frame.size(); ++i) {
        if ((i + 1) % width == 0) frame[tag + 26 + i] = 100;
    }
    return frame;
}

// The first frame of a stream read into stream information with the engine's VBR table.
struct FirstFrame : testing::Test {
    FirstFrame() { info.vbrTable = &table; }
    bool read(const std::vector<uint8_t>& frame) {
        return decoder.getStreamInfo(frame.data(), frame.size(), info, false);
    }
    Decoder decoder;
    VbrTable table;
    StreamInfo info;
};

TEST_F(FirstFrame, XingHeaderAllFlagsGiveFramesBytesAndTable) {
    const auto frame = xingFrame(kMpeg1Stereo, 36, 0x0F);
    ASSERT_TRUE(read(frame));
    EXPECT_EQ(info.frames, 1234);
    EXPECT_EQ(info.dataSize, 256000);
    EXPECT_EQ(info.bitRate, 0);
    EXPECT_EQ(table.kind, VbrTable::kXing);
    ASSERT_EQ(table.entries.size(), 100u);
    EXPECT_EQ(table.entries[50], 100u);
    // VBR bounds come from the whole bit-rate row: 32 and 320 kbit/s.
    EXPECT_EQ(info.skipSize, 417);
    EXPECT_EQ(info.minInputSize, 144 * 32000 / 44100);
    EXPECT_EQ(info.maxInputSize, 144 * 320000 / 44100 + 1);
}

TEST_F(FirstFrame, XingHeaderWrittenTwoBytesEarlyInACrcFrame) {
    HeaderFields shape = kMpeg1Stereo;
    shape.crc = true;
    const auto frame = xingFrame(shape, 36, 0x03);
    ASSERT_TRUE(read(frame));
    EXPECT_EQ(info.frames, 1234);
    EXPECT_EQ(info.dataSize, 256000);
}

TEST_F(FirstFrame, XingHeaderFieldsMoveUpWhenTheBytesFieldIsAbsent) {
    const auto frame = xingFrame(kMpeg1Stereo, 36, 0x05);
    ASSERT_TRUE(read(frame));
    EXPECT_EQ(info.frames, 1234);
    EXPECT_EQ(info.dataSize, 0);
    ASSERT_EQ(table.entries.size(), 100u);
    EXPECT_EQ(table.entries[1], 2u);
}

TEST_F(FirstFrame, XingHeaderNeitherFramesNorBytesIsABadField) {
    const auto frame = xingFrame(kMpeg1Stereo, 36, 0x04);
    EXPECT_FALSE(read(frame));
    EXPECT_EQ(decoder.error(), kDecBadField);
}

TEST_F(FirstFrame, VbriHeaderEntryCountPlusOneEntries) {
    const auto frame = vbriFrame(9, 2, 3);
    ASSERT_TRUE(read(frame));
    EXPECT_EQ(info.frames, 400);
    EXPECT_EQ(info.dataSize, 500000);
    EXPECT_EQ(table.kind, VbrTable::kVbri);
    EXPECT_EQ(table.count, 10);
    ASSERT_EQ(table.entries.size(), 10u);
    EXPECT_EQ(table.entries[9], 300u);
}

TEST_F(FirstFrame, VbriHeaderHostileWidthAndCountAreRefused) {
    auto wide = vbriFrame(3, 9);
    EXPECT_FALSE(read(wide));
    EXPECT_EQ(decoder.error(), kDecBadField);
    auto longTable = vbriFrame(60000, 4);
    EXPECT_FALSE(read(longTable));
    EXPECT_EQ(decoder.error(), kDecShortInput);
}

TEST_F(FirstFrame, SeekByPercentXingInterpolatesAndClamps) {
    const auto frame = xingFrame(kMpeg1Stereo, 36, 0x0F);
    ASSERT_TRUE(read(frame));
    EXPECT_EQ(Decoder::seekOffsetByPercent(info, 0.0f), 0);
    EXPECT_EQ(Decoder::seekOffsetByPercent(info, 37.5f), 75000);
    EXPECT_EQ(Decoder::seekOffsetByPercent(info, 100.0f), 256000);
    EXPECT_EQ(Decoder::seekOffsetByPercent(info, 150.0f), 256000);
    EXPECT_EQ(Decoder::seekOffsetByPercent(info, -5.0f), 0);
}

TEST_F(FirstFrame, SeekByPercentVbriWalksAndBacksOff) {
    const auto frame = vbriFrame(9, 2);
    ASSERT_TRUE(read(frame));
    // Ten entries of 100 bytes: the walk overshoots by one step and backs off a whole entry.
    EXPECT_EQ(Decoder::seekOffsetByPercent(info, 0.0f), 0);
    const int64_t half = Decoder::seekOffsetByPercent(info, 50.0f);
    EXPECT_GE(half, 400);
    EXPECT_LE(half, 500);
    EXPECT_EQ(Decoder::seekOffsetByPercent(info, 150.0f),
              Decoder::seekOffsetByPercent(info, 100.0f));
}

TEST(SeekByPercent, NoTableIsMinusOne) {
    StreamInfo info;
    EXPECT_EQ(Decoder::seekOffsetByPercent(info, 50.0f), -1);
}

struct SizeCase {
    HeaderFields shape;
    DecodeOptions options;
    int channels, bits, frequency, outputSize, minInput;
};

TEST(StreamSizes, AllLayersVersionsAndOptions) {
    const SizeCase cases[] = {
        {{1, 3, 9, 0, 0, 0, false}, {0, 0, 24000}, 2, 16, 44100, 4608, 417},
        {{1, 3, 9, 0, 0, 0, false}, {1, 1 | 8, 24000}, 1, 8, 22050, 576, 417},
        {{1, 3, 9, 0, 0, 0, false}, {2, 0, 24000}, 2, 16, 11025, 1152, 417},
        {{2, 3, 8, 0, 0, 3, false}, {0, 0, 24000}, 1, 16, 22050, 1152, 208},
        {{3, 3, 2, 0, 0, 0, false}, {0, 0, 24000}, 2, 16, 11025, 2304, 104},
        {{1, 2, 10, 1, 0, 0, false}, {0, 0, 24000}, 2, 16, 48000, 4608, 576},
        {{2, 2, 8, 1, 0, 0, false}, {0, 8, 24000}, 2, 8, 24000, 2304, 384},
        {{1, 1, 12, 0, 0, 0, false}, {0, 0, 24000}, 2, 16, 44100, 1536, 12 * 384000 / 44100 * 4},
    };
    for (const auto& c : cases) {
        Decoder decoder;
        decoder.setOptions(c.options);
        StreamInfo info;
        const auto frame = test::silentFrame(c.shape);
        std::vector<uint8_t> buffer = frame;
        buffer.resize(std::max<size_t>(buffer.size(), 200), 0);
        ASSERT_TRUE(decoder.getStreamInfo(buffer.data(), buffer.size(), info, true));
        SCOPED_TRACE(testing::Message()
                     << "version " << c.shape.version << " layer " << c.shape.layer);
        EXPECT_EQ(info.channels, c.channels);
        EXPECT_EQ(info.bitsPerSample, c.bits);
        EXPECT_EQ(info.frequency, c.frequency);
        EXPECT_EQ(info.outputSize, c.outputSize);
        EXPECT_EQ(info.minInputSize, c.minInput);
        EXPECT_EQ(info.maxInputSize, c.minInput + (c.shape.layer == 1 ? 4 : 1));
        EXPECT_EQ(info.skipSize, 0);
    }
}

TEST(StreamSizes, ShortBufferIsRefused) {
    Decoder decoder;
    StreamInfo info;
    const auto frame = test::silentFrame(kMpeg1Stereo);
    EXPECT_FALSE(decoder.getStreamInfo(frame.data(), 155, info, false));
    EXPECT_EQ(decoder.error(), kDecShortInput);
}

}  // namespace
}  // namespace velk
