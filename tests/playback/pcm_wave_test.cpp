// PCM wave files play as they are, block by block, the last block shortened to what is left.
#include <cstring>

#include "playback_fixture.h"

namespace velk::test {
namespace {

using PcmWave = PlaybackTest;

std::vector<uint8_t> waveFile(const std::vector<uint8_t>& pcm, int channels, int bits, int rate) {
    std::vector<uint8_t> out(44 + pcm.size());
    size_t at = 0;
    auto tag = [&](const char* t) {
        std::memcpy(out.data() + at, t, 4);
        at += 4;
    };
    auto le = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out[at++] = static_cast<uint8_t>(v >> (8 * i));
    };
    const int align = channels * bits / 8;
    tag("RIFF");
    le(static_cast<uint32_t>(36 + pcm.size()), 4);
    tag("WAVE");
    tag("fmt ");
    le(16, 4);
    le(1, 2);
    le(static_cast<uint32_t>(channels), 2);
    le(static_cast<uint32_t>(rate), 4);
    le(static_cast<uint32_t>(rate * align), 4);
    le(static_cast<uint32_t>(align), 2);
    le(static_cast<uint32_t>(bits), 2);
    tag("data");
    le(static_cast<uint32_t>(pcm.size()), 4);
    std::copy(pcm.begin(), pcm.end(), out.begin() + 44);
    return out;
}

TEST_F(PcmWave, DataEndingMidBlockComesThroughWhole) {
    std::vector<uint8_t> pcm(4096 * 7 + 1000);
    for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = static_cast<uint8_t>(i * 7 + 3);
    const std::string source = dir.file("tone.wav");
    writeFileBytes(source, waveFile(pcm, 2, 16, 22050));
    InputInfo info{};
    ASSERT_EQ(velk_open(source.c_str(), &info), 1);
    EXPECT_STREQ(info.songName, "WAVE_FORMAT_PCM");
    EXPECT_EQ(info.bitRate, 16);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.frequency, 22050);
    EXPECT_EQ(velk_getBitrate(), 16);

    const std::string copy = dir.file("copy.wav");
    EXPECT_EQ(velk_playAndWriteWave(copy.c_str()), 0);  // refused for PCM sources
    ASSERT_EQ(velk_writeWave(copy.c_str()), 1);
    ASSERT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));
    ASSERT_TRUE(waitFor([] { return velk_getState(nullptr) == 0; }));
    velk_stop();
    const auto written = readFileBytes(copy);
    ASSERT_EQ(written.size(), 44 + pcm.size());
    EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), written.begin() + 44));
}

TEST_F(PcmWave, PlaysSeeksAndEnds) {
    std::vector<uint8_t> pcm(8000 * 20, 128);  // 20 s of 8-bit mono silence
    const std::string source = dir.file("quiet.wav");
    writeFileBytes(source, waveFile(pcm, 1, 8, 8000));
    InputInfo info{};
    ASSERT_EQ(velk_open(source.c_str(), &info), 1);
    // The length counts whole read units of 1024 bytes: 156 of them, 19.97 s.
    EXPECT_EQ(info.playTime, 19);
    ASSERT_EQ(velk_play(), 1);
    ASSERT_EQ(velk_pause(), 1);
    velk_seekSampleI64(12345);
    EXPECT_EQ(velk_getPlaySampleI64(), 12345);
    int seconds = 0;
    EXPECT_EQ(velk_getState(&seconds), 2);
    EXPECT_EQ(seconds, 1);
    velk_restart();
    EXPECT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));
}

}  // namespace
}  // namespace velk::test
