// velk_free followed by velk_init must leave the engine as a new process finds it: every setting
// an entry point can change is moved away from its default, and after the cycle each one is
// asked for again. Where no entry point reads a setting back, the engine's own record is asked.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine.h"
#include "message_hook.h"
#include "support/temp_dir.h"
#include "velk.h"

namespace velk {
namespace {

std::string fixture(const std::string& name) {
    return std::string(VELK_TEST_DATA_DIR) + "/" + name;
}

int callbackCalls = 0;
int countCallback(int32_t, int32_t) {
    ++callbackCalls;
    return 0;
}

int hookCalls = 0;
void countHook(const char*, const char*) {
    ++hookCalls;
}

void ignoreTimer(int32_t, int32_t, int32_t, int32_t) {}

// The wave file the engine writes for `song` with the settings it has now.
std::vector<uint8_t> decodeToWave(const std::string& song, const std::string& wave) {
    InputInfo info{};
    if (velk_open(song.c_str(), &info) != 1 || velk_writeWave(wave.c_str()) != 1) return {};
    for (int wait = 0; wait < 5000 && velk_getState(nullptr) != VELK_STATE_STOPPED; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    velk_close();
    return test::readFileBytes(wave);
}

// Moves every setting away from its default, through the entry points only.
void changeEverySetting() {
    const BlockInfo blocks{7, 9, 3, 2};
    ASSERT_EQ(velk_setBlockInfo(&blocks), 1);
    const DecodeOptions options{1, 1, 11025};
    ASSERT_EQ(velk_setDecodeOption(&options), 1);
    velk_setWaveOutDevice(3);
    ASSERT_EQ(velk_setPlaySpeed(3, 7), 1);
    ASSERT_EQ(velk_setPitch(150), 1);
    velk_setFadeIn(1);
    velk_setFadeOut(1);
    velk_setTimeLimit(0);
    velk_setSeekWhenStopped(1);
    velk_setFrameReadFlag(1);
    velk_setFastSeek(0);
    ASSERT_EQ(velk_setVolume(30, 60), 1);
    velk_setOutputLevel(40, 70);
    velk_setSpectrumMode(3);
    const int32_t equalizer[10] = {60, 40, 20, 0, -20, -40, -60, -80, -100, -120};
    ASSERT_EQ(velk_setEqualizer(equalizer), 1);
    ASSERT_EQ(velk_setCallback(countCallback), 1);
    ASSERT_EQ(velk_setTimer(ignoreTimer, 50, 10, 0), 1);
    velk_setMessageHook(countHook);
    velk_setWriteEmptyInfo(1);
    velk_setRiffTagMode(2);
    ASSERT_EQ(velk_acmSetBitrate(64), 1);
    velk_setLyrics3Use(1);
    velk_setKaraokeUse(1);
    velk_setLyricsTime(kTimeRatio);
    velk_setNotTagLyricsLine(0);
    velk_setLyricsOffset(500);
    velk_setLyricsNextAdjustTime(300);
    velk_setLyricsTimeRatio(2.0);
    velk_useAtMarkTag(1);
    ASSERT_EQ(velk_loadLyricsFile(fixture("demo.txt").c_str()), 1);
    ASSERT_GT(velk_getLyricsCount(), 0);
    InputInfo info{};
    ASSERT_EQ(velk_open(fixture("l3_joint128_44k.mp3").c_str(), &info), 1);
}

TEST(FreshAfterFree, EverySettingIsBackToItsDefault) {
    test::TempDir dir;
    const std::string song = fixture("l3_joint128_44k.mp3");
    velk_init();
    const std::vector<uint8_t> fresh = decodeToWave(song, dir.file("fresh.wav"));
    ASSERT_FALSE(fresh.empty());
    changeEverySetting();
    velk_free();
    velk_init();

    BlockInfo blocks{};
    velk_getBlockInfo(&blocks);
    EXPECT_EQ(blocks.inputBlock, 30);
    EXPECT_EQ(blocks.outputBlock, 20);
    EXPECT_EQ(blocks.inputSleep, 5);
    EXPECT_EQ(blocks.outputSleep, 0);
    DecodeOptions options{};
    velk_getDecodeOption(&options);
    EXPECT_EQ(options.reduction, 0);
    EXPECT_EQ(options.convert, 0);
    EXPECT_EQ(options.freqLimit, 24000);
    EXPECT_EQ(velk_getPlaySpeed(), 1);
    EXPECT_EQ(velk_getPitch(), 100);
    EXPECT_EQ(velk_getFastSeek(), 1);
    int32_t left = 0, right = 0;
    velk_getVolume(&left, &right);
    EXPECT_EQ(left, 100);
    EXPECT_EQ(right, 100);
    velk_getOutputLevel(&left, &right);
    EXPECT_EQ(left, 100);
    EXPECT_EQ(right, 100);
    EXPECT_EQ(velk_getLyricsCount(), 0);
    EXPECT_EQ(velk_getState(nullptr), VELK_STATE_STOPPED);
    EXPECT_EQ(velk_killTimer(), 0) << "the timer outlived velk_free";
    MpegInfo mpeg{};
    EXPECT_EQ(velk_getMpegInfoEx(&mpeg), 0) << "the file stayed open";

    // No entry point reads these back.
    Engine& e = Engine::instance();
    const Tuning tuning;
    EXPECT_EQ(e.tuning().savedOutputBlock, tuning.savedOutputBlock);
    EXPECT_EQ(e.tuning().clampToPlayTime, tuning.clampToPlayTime);
    EXPECT_EQ(e.tuning().seekWhenStopped, tuning.seekWhenStopped);
    EXPECT_EQ(e.tuning().frameReadFlag, tuning.frameReadFlag);
    EXPECT_FALSE(e.gains().fadeIn());
    EXPECT_FALSE(e.gains().fadeOut());
    EXPECT_EQ(e.spectrum().mode(), SpectrumAnalyser::kHann);
    EXPECT_FALSE(e.riff().writeEmptyFields);
    EXPECT_EQ(e.riff().tagMode, kLyricsInIlyc);
    const LyricsSettings lyrics;
    EXPECT_EQ(e.lyrics().settings.lyrics3Use, lyrics.lyrics3Use);
    EXPECT_EQ(e.lyrics().settings.karaokeUse, lyrics.karaokeUse);
    EXPECT_EQ(e.lyrics().settings.timeType, lyrics.timeType);
    EXPECT_EQ(e.lyrics().settings.untaggedRows, lyrics.untaggedRows);
    EXPECT_EQ(e.lyrics().settings.nextAdjustMs, lyrics.nextAdjustMs);
    EXPECT_EQ(e.lyrics().settings.atMarkHeaders, lyrics.atMarkHeaders);
    EXPECT_EQ(e.lyrics().settings.offsetMs, lyrics.offsetMs);
    EXPECT_EQ(e.lyrics().settings.timeRatio, lyrics.timeRatio);
    showMessage("caption", "text");
    EXPECT_EQ(hookCalls, 0) << "the message hook outlived velk_free";
    // The equalizer, the decode options and the callback show in what a decode writes: the
    // same bytes as before the cycle, and a callback that was let go stays silent when
    // callbacks are enabled again.
    velk_enableCallback();
    EXPECT_TRUE(decodeToWave(song, dir.file("again.wav")) == fresh);
    EXPECT_EQ(callbackCalls, 0);
    velk_free();
}

// A second cycle changes nothing more: free on a fresh engine is harmless.
TEST(FreshAfterFree, FreeOnAFreshEngineKeepsTheDefaults) {
    velk_init();
    velk_free();
    velk_free();
    velk_init();
    EXPECT_EQ(velk_getPlaySpeed(), 1);
    EXPECT_EQ(velk_getPitch(), 100);
    EXPECT_EQ(velk_getFastSeek(), 1);
    EXPECT_EQ(velk_getState(nullptr), VELK_STATE_STOPPED);
    velk_free();
}

}  // namespace
}  // namespace velk
