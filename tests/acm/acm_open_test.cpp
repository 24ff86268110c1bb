// Opening the conversion source: the chunk walk to "data" and the refusals of broken files.
#include "acm/acm_fixture.h"
#include "velk.h"

namespace velk::test {
namespace {

using AcmOpenTest = AcmTest;

const WaveFormat kStereo{};

// True when a good source opens after a failure: the failure left nothing open.
bool opens(const std::string& good) {
    int32_t info[4] = {};
    return velk_acmOpen(good.c_str(), info) == 1;
}

TEST_F(AcmOpenTest, ReportsChannelsBitsRateAndDataSize) {
    const auto path = writeSource("a.wav", waveFile({1, 1, 22050, 16}, tone(1, 22050, 0.1)));
    int32_t info[4] = {-1, -1, -1, -1};
    ASSERT_EQ(velk_acmOpen(path.c_str(), info), 1);
    EXPECT_EQ(info[0], 1);
    EXPECT_EQ(info[1], 16);
    EXPECT_EQ(info[2], 22050);
    EXPECT_EQ(info[3], 2205 * 2);
}

TEST_F(AcmOpenTest, SkipsOtherChunksIncludingTheirPadByte) {
    const Bytes pcm = tone(2, 44100, 0.05);
    const auto path =
        writeSource("a.wav", riffWave(chunk("junk", Bytes(7, 0xEE)) + formatChunk(kStereo) +
                                      chunk("fact", Bytes(4, 0)) + chunk("data", pcm)));
    int32_t info[4] = {};
    ASSERT_EQ(velk_acmOpen(path.c_str(), info), 1);
    EXPECT_EQ(info[3], static_cast<int32_t>(pcm.size()));
}

TEST_F(AcmOpenTest, ZeroBytesOfDataOpen) {
    const auto path = writeSource("empty.wav", waveFile(kStereo, {}));
    int32_t info[4] = {-1, -1, -1, -1};
    ASSERT_EQ(velk_acmOpen(path.c_str(), info), 1);
    EXPECT_EQ(info[3], 0);
}

TEST_F(AcmOpenTest, EightAnd24BitSourcesOpenAndReportTheirWidth) {
    for (uint16_t bits : {8, 24}) {
        const auto path = writeSource("w.wav", waveFile({1, 2, 44100, bits}, Bytes(600, 0x80)));
        int32_t info[4] = {};
        ASSERT_EQ(velk_acmOpen(path.c_str(), info), 1) << bits;
        EXPECT_EQ(info[1], bits);
        velk_free();
        velk_init();
    }
}

TEST_F(AcmOpenTest, MissingFileOrEmptyNameIsError5) {
    int32_t info[4] = {};
    EXPECT_EQ(velk_acmOpen(dir.file("none.wav").c_str(), info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 5);
    EXPECT_EQ(velk_acmOpen("", info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 5);
    EXPECT_EQ(velk_acmOpen(nullptr, info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 5);
    EXPECT_EQ(velk_acmOpen(dir.path().string().c_str(), info), 0);  // a folder
    EXPECT_EQ(velk_getLastErrorNo(), 5);
}

TEST_F(AcmOpenTest, SecondOpenWhileOneIsOpenIsError7) {
    const auto path = writeSource("a.wav", waveFile(kStereo, tone(2, 44100, 0.05)));
    int32_t info[4] = {};
    ASSERT_EQ(velk_acmOpen(path.c_str(), info), 1);
    EXPECT_EQ(velk_acmOpen(path.c_str(), info), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 7);
}

struct BrokenSource {
    const char* name;
    Bytes bytes;
};

std::vector<BrokenSource> brokenSources() {
    const Bytes pcm = tone(2, 44100, 0.01);
    const Bytes good = waveFile(kStereo, pcm);
    Bytes shortFormat = chunk("fmt ", Bytes(14, 1));
    Bytes notWave = good;
    notWave[8] = 'A';
    Bytes notRiff = good;
    notRiff[0] = 'X';
    return {
        {"no data chunk", riffWave(formatChunk(kStereo) + chunk("LIST", Bytes(20, 0)))},
        {"fmt after data", riffWave(chunk("data", pcm) + formatChunk(kStereo))},
        {"no fmt at all", riffWave(chunk("data", pcm))},
        {"fmt shorter than 16 bytes", riffWave(shortFormat + chunk("data", pcm))},
        {"not WAVE", notWave},
        {"not RIFF", notRiff},
        {"empty file", {}},
        {"RIFF header only", Bytes(good.begin(), good.begin() + 12)},
        {"cut inside a chunk header", Bytes(good.begin(), good.begin() + 17)},
        {"cut inside fmt", Bytes(good.begin(), good.begin() + 30)},
        {"huge chunk size jumps past the end",
         riffWave(formatChunk(kStereo) + chunk("junk", Bytes(4, 0), 0xFFFFFFF0) +
                  chunk("data", pcm))},
    };
}

TEST_F(AcmOpenTest, BrokenSourcesAreError6AndLeaveNothingOpen) {
    const auto good = writeSource("good.wav", waveFile(kStereo, tone(2, 44100, 0.01)));
    for (const auto& source : brokenSources()) {
        SCOPED_TRACE(source.name);
        const auto path = writeSource("bad.wav", source.bytes);
        int32_t info[4] = {};
        EXPECT_EQ(velk_acmOpen(path.c_str(), info), 0);
        EXPECT_EQ(velk_getLastErrorNo(), 6);
        EXPECT_TRUE(opens(good));
        velk_free();
        velk_init();
    }
}

}  // namespace
}  // namespace velk::test
