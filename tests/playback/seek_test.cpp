// Seeks of every form, while playing, paused, stopped and draining; speed and pitch changes.
#include <thread>

#include "playback_fixture.h"

namespace velk::test {
namespace {

using Seek = PlaybackTest;

// The first frame boundary at or after `sample`: where a seek lands.
int64_t landing(int64_t sample) {
    return (sample + PlaybackTest::kSamplesPerFrame - 1) / PlaybackTest::kSamplesPerFrame *
           PlaybackTest::kSamplesPerFrame;
}

void pauseAndSettle() {
    ASSERT_EQ(velk_pause(), 1);
    ASSERT_EQ(velk_getState(nullptr), 2);
}

TEST_F(Seek, EveryFormLandsOnTheFrameAtOrAfterTheTarget) {
    for (int fast = 0; fast < 2; ++fast) {
        SCOPED_TRACE(fast ? "fast seek" : "exact seek");
        velk_setFastSeek(fast);
        openSong();
        ASSERT_EQ(velk_play(), 1);
        pauseAndSettle();
        // A paused device has played nothing since the seek's reset.
        EXPECT_EQ(velk_seekSampleI64(500000), 1);
        EXPECT_EQ(velk_getPlaySampleI64(), landing(500000));
        EXPECT_EQ(velk_seekSample(100), 1);
        EXPECT_EQ(velk_getPlaySampleI64(), landing(100));
        EXPECT_EQ(velk_seekSampleDouble(1152.9 * 10), 1);
        EXPECT_EQ(velk_getPlaySampleI64(), landing(11529));
        EXPECT_EQ(velk_seekFrame(1000), 1);
        EXPECT_EQ(velk_getPlaySampleI64(), 1000 * kSamplesPerFrame);
        EXPECT_EQ(velk_seekFrameI64(1500), 1);
        EXPECT_EQ(velk_getPlayFrameI64(), 1500);
        EXPECT_EQ(velk_seekFrameDouble(20.7), 1);
        EXPECT_EQ(velk_getPlayFrameI64(), 20);
        EXPECT_EQ(velk_seek(30), 1);
        EXPECT_EQ(velk_getPlaySampleI64(), landing(30 * 44100));
        int seconds = -1;
        EXPECT_EQ(velk_getState(&seconds), 2);
        EXPECT_EQ(seconds, 30);
        // Past the end: the seek consumes the song and the position stays inside it.
        velk_seekSampleI64(int64_t{1} << 40);
        EXPECT_LE(velk_getPlaySampleI64(), int64_t{kFrames} * kSamplesPerFrame);
        velk_stop();
    }
}

TEST_F(Seek, PausedThenSeekStaysPausedAndReportsTheNewSecond) {
    openSong();
    ASSERT_EQ(velk_play(), 1);
    pauseAndSettle();
    callbackLog().clear();
    velk_seek(20);
    EXPECT_EQ(velk_getState(nullptr), 2);
    const auto codes = callbackLog().codes();
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0], 2);
    EXPECT_EQ(callbackLog().calls[0].second, 20);
    velk_restart();
    EXPECT_EQ(velk_getState(nullptr), 1);
}

TEST_F(Seek, WhileStoppedDoesNothingUnlessAllowed) {
    openSong(100);
    EXPECT_EQ(velk_seek(1), 1);
    EXPECT_EQ(velk_getState(nullptr), 0);
    EXPECT_EQ(velk_getPlaySampleI64(), 0);
    ASSERT_EQ(velk_play(), 1);
    EXPECT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));

    velk_setSeekWhenStopped(1);
    EXPECT_TRUE(waitFor([] { return velk_getState(nullptr) == 0; }));
    EXPECT_EQ(velk_seek(1), 1);
    EXPECT_NE(velk_getState(nullptr), 0);
    EXPECT_GE(velk_getPlaySampleI64(), 44100);
    EXPECT_TRUE(waitFor([] { return callbackLog().count(4) == 2; }));
}

TEST_F(Seek, DuringTheDrainCancelsTheEnd) {
    // The whole song fits in the device's queue, so the thread drains almost at once.
    openSong(400);
    ASSERT_EQ(velk_play(), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    velk_seek(0);
    EXPECT_EQ(callbackLog().count(4), 0);
    EXPECT_EQ(velk_getState(nullptr), 1);
    ASSERT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(callbackLog().count(4), 1);
}

TEST_F(Seek, AfterTheThreadEndedStartsAgain) {
    velk_setSeekWhenStopped(1);
    openSong(50);
    ASSERT_EQ(velk_play(), 1);
    ASSERT_TRUE(waitFor([] { return velk_getState(nullptr) == 0; }));
    velk_seekFrame(10);
    EXPECT_NE(velk_getState(nullptr), 0);
    EXPECT_GE(velk_getPlayFrameI64(), 10);
}

TEST_F(Seek, SpeedAndPitchWhilePausedKeepStateAndPosition) {
    openSong();
    ASSERT_EQ(velk_play(), 1);
    pauseAndSettle();
    velk_seekFrame(600);
    const int64_t before = velk_getPlaySampleI64();
    EXPECT_EQ(velk_setPlaySpeed(3, 20), 1);
    EXPECT_EQ(velk_getState(nullptr), 2);
    EXPECT_EQ(velk_getPlaySampleI64(), before);
    EXPECT_EQ(velk_setPitch(150), 1);
    EXPECT_EQ(velk_getState(nullptr), 2);
    EXPECT_EQ(velk_getPlaySampleI64(), before);
    EXPECT_EQ(velk_getPitch(), 150);
    EXPECT_EQ(velk_getPlaySpeed(), 3);
    EXPECT_EQ(velk_replay(), 1);
    EXPECT_EQ(velk_getState(nullptr), 2);
    EXPECT_EQ(velk_getPlaySampleI64(), before);
}

TEST_F(Seek, SpeedAndPitchArguments) {
    EXPECT_EQ(velk_setPitch(19), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 18);
    EXPECT_EQ(velk_setPitch(20), 1);
    EXPECT_EQ(velk_setPlaySpeed(0, 20), 0);
    EXPECT_EQ(velk_setPlaySpeed(2, 0), 0);
    BlockInfo blocks{30, 7, 5, 0};
    ASSERT_EQ(velk_setBlockInfo(&blocks), 1);
    ASSERT_EQ(velk_setPlaySpeed(3, 20), 1);
    velk_getBlockInfo(&blocks);
    EXPECT_EQ(blocks.outputBlock, 20);
    ASSERT_EQ(velk_setPlaySpeed(1, 20), 1);
    velk_getBlockInfo(&blocks);
    EXPECT_EQ(blocks.outputBlock, 7);
    EXPECT_EQ(velk_replay(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 12);
}

TEST_F(Seek, GetStateReportsTheStateFromBeforeASeek) {
    openSong();
    ASSERT_EQ(velk_play(), 1);
    pauseAndSettle();
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    std::thread watcher([&] {
        while (!stop) {
            if (velk_getState(nullptr) != 2) ++wrong;
        }
    });
    for (int i = 0; i < 20; ++i) velk_seekFrame(i * 50);
    stop = true;
    watcher.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace velk::test
