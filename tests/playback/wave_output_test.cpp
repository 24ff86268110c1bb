// Decoding into a wave file: the header and its patched sizes, and PCM equal to the decoder's.
#include <cstring>

#include "playback_fixture.h"
#include "support/stream_decode.h"

namespace velk::test {
namespace {

using WaveOutput = PlaybackTest;

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST_F(WaveOutput, HeaderSizesArePatchedAndThePcmIsTheDecoders) {
    const std::string source = std::string(VELK_TEST_DATA_DIR) + "/cbr_mpeg1_l3.mp3";
    InputInfo info{};
    ASSERT_EQ(velk_open(source.c_str(), &info), 1);
    const std::string out = dir.file("out.wav");
    ASSERT_EQ(velk_writeWave(out.c_str()), 1);
    ASSERT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));
    ASSERT_TRUE(waitFor([] { return velk_getState(nullptr) == 0; }));
    velk_stop();

    const auto wave = readFileBytes(out);
    ASSERT_GT(wave.size(), 44u);
    EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
    EXPECT_EQ(le32(wave, 4), wave.size() - 8);
    EXPECT_EQ(std::memcmp(wave.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(le32(wave, 16), 16u);
    EXPECT_EQ(le16(wave, 20), 1);
    EXPECT_EQ(le16(wave, 22), info.channels);
    EXPECT_EQ(le32(wave, 24), static_cast<uint32_t>(info.frequency));
    EXPECT_EQ(le32(wave, 28), static_cast<uint32_t>(info.frequency * info.channels * 2));
    EXPECT_EQ(le16(wave, 32), info.channels * 2);
    EXPECT_EQ(le16(wave, 34), 16);
    EXPECT_EQ(std::memcmp(wave.data() + 36, "data", 4), 0);
    EXPECT_EQ(le32(wave, 40), wave.size() - 44);

    const auto expected = decodeStream(readFileBytes(source), DecodeOptions{0, 0, 24000}).pcm;
    ASSERT_EQ(wave.size() - 44, expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), wave.begin() + 44));
}

TEST_F(WaveOutput, RefusedWhilePlayingAndForABadName) {
    openSong();
    EXPECT_EQ(velk_writeWave(""), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 5);
    EXPECT_EQ(velk_writeWave(dir.file("missing/folder/out.wav").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 5);
    ASSERT_EQ(velk_play(), 1);
    EXPECT_EQ(velk_writeWave(dir.file("out.wav").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 13);
}

TEST_F(WaveOutput, PlayAndWriteFeedsTheFileWithTheWholeSong) {
    openSong(300);
    const std::string out = dir.file("both.wav");
    ASSERT_EQ(velk_playAndWriteWave(out.c_str()), 1);
    ASSERT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));
    ASSERT_TRUE(waitFor([] { return velk_getState(nullptr) == 0; }));
    velk_stop();
    const auto wave = readFileBytes(out);
    EXPECT_EQ(wave.size(), 44u + 300u * 1152 * 4);
}

}  // namespace
}  // namespace velk::test
