// Random control calls against a playing file, with the invariants checked after each call;
// also the fade-stop, which ends the song from inside the decode loop.
#include <random>

#include "playback_fixture.h"

namespace velk::test {
namespace {

using Stress = PlaybackTest;

TEST_F(Stress, FadeStopEndsTheSongAndLeavesTheDeviceSilent) {
    openSong();
    velk_setVolume(100, 100);
    ASSERT_EQ(velk_play(), 1);
    EXPECT_EQ(velk_fadeOutStop(), 100);
    ASSERT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));
    ASSERT_TRUE(waitFor([] { return velk_getState(nullptr) == 0; }));
    int left = -1, right = -1;
    velk_getVolume(&left, &right);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 0);
    EXPECT_EQ(callbackLog().count(1), 0);
}

TEST_F(Stress, RandomControlCallsKeepTheInvariants) {
    openSong(600);
    std::mt19937 random(20261207);
    const int64_t total = velk_getTotalSampleI64();
    ASSERT_EQ(total, 600 * kSamplesPerFrame);
    bool open = true;
    int32_t flat[10] = {};
    int32_t boost[10] = {30, 20, 10, 0, 0, 0, 0, 10, 20, 30};
    for (int i = 0; i < 1500; ++i) {
        const int action = static_cast<int>(random() % 12);
        const int before = velk_getState(nullptr);
        switch (action) {
            case 0:
                velk_play();
                break;
            case 1:
                velk_pause();
                // The song may also have ended just before the pause arrived.
                if (before == 1) {
                    EXPECT_NE(velk_getState(nullptr), 1) << "call " << i;
                }
                break;
            case 2:
                velk_restart();
                if (before == 2) {
                    EXPECT_EQ(velk_getState(nullptr), 1) << "call " << i;
                }
                break;
            case 3:
                velk_seekSampleI64(static_cast<int64_t>(random() % static_cast<uint32_t>(total)));
                break;
            case 4:
                velk_setPlaySpeed(1 + static_cast<int>(random() % 4), 20);
                break;
            case 5:
                velk_setPitch(50 + static_cast<int>(random() % 200));
                break;
            case 6:
                velk_setEqualizer(random() % 2 ? flat : boost);
                break;
            case 7:
                velk_stop();
                EXPECT_EQ(velk_getState(nullptr), 0) << "call " << i;
                break;
            case 8:
                if (random() % 8 == 0) {
                    velk_close();
                    open = false;
                    EXPECT_EQ(velk_getState(nullptr), 0) << "call " << i;
                }
                break;
            case 9: {
                InputInfo info{};
                open = velk_open(song.c_str(), &info) == 1;
                EXPECT_TRUE(open);
                break;
            }
            case 10:
                velk_replay();
                break;
            default:
                velk_setFastSeek(static_cast<int>(random() % 2));
                break;
        }
        const int now = velk_getState(nullptr);
        ASSERT_GE(now, 0);
        ASSERT_LE(now, 2);
        if (!open) {
            EXPECT_EQ(now, 0);
        }
        const int64_t played = velk_getPlaySampleI64();
        EXPECT_GE(played, 0) << "call " << i;
        // A speed factor counts the device position in steps of whole blocks.
        EXPECT_LE(played, total + 4 * 20 * kSamplesPerFrame) << "call " << i;
    }
    velk_setPlaySpeed(1, 20);
    velk_setPitch(100);
    for (int code : callbackLog().codes()) {
        EXPECT_GE(code, 0);
        EXPECT_LE(code, 4);
    }
    // Still plays to its end afterwards.
    InputInfo info{};
    ASSERT_EQ(velk_open(song.c_str(), &info), 1);
    callbackLog().clear();
    velk_setCallback(recordCallback);
    ASSERT_EQ(velk_play(), 1);
    EXPECT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }, 20));
}

// The explorer and the playlist read other files' information while a song plays: the reads
// must leave the playing stream alone (an MPEG-2 file has other frame sizes and rates).
TEST_F(Stress, ReadingOtherFilesInformationLeavesThePlayingSongAlone) {
    const std::string other = vectorPath("M2L3_compl24.bit");
    if (other.empty()) {
        GTEST_SKIP() << "compliance vectors missing";
    }
    openSong();
    ASSERT_EQ(velk_play(), 1);
    int64_t lastPlayed = 0;
    for (int i = 0; i < 200 && state() != 0; ++i) {
        Id3Tag tag{};
        MpegInfo14 info{};
        ASSERT_EQ(velk_getFileInfo(other.c_str(), &tag, &info), 1);
        EXPECT_EQ(info.frequency, 24000);
        const int64_t played = velk_getPlaySampleI64();
        EXPECT_GE(played, lastPlayed) << "read " << i;
        lastPlayed = played;
    }
    EXPECT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }, 20));
    EXPECT_EQ(velk_getTotalSampleI64(), kFrames * kSamplesPerFrame);
}

}  // namespace
}  // namespace velk::test
