// The state table of playback and the callbacks each path sends.
#include <thread>

#include "playback_fixture.h"

namespace velk::test {
namespace {

using Transport = PlaybackTest;

TEST_F(Transport, PlayPauseRestartStop) {
    openSong();
    EXPECT_EQ(state(), 0);
    ASSERT_EQ(velk_play(), 1);
    EXPECT_EQ(state(), 1);
    EXPECT_EQ(velk_play(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 13);

    EXPECT_EQ(velk_pause(), 1);
    EXPECT_EQ(state(), 2);
    EXPECT_EQ(callbackLog().count(3), 1);
    // A second pause records error 14 and still succeeds.
    velk_setOutputLevel(100, 100);
    EXPECT_EQ(velk_pause(), 1);
    EXPECT_EQ(velk_getLastErrorNo(), 14);
    EXPECT_EQ(state(), 2);

    const int positionsBefore = callbackLog().count(2);
    EXPECT_EQ(velk_restart(), 1);
    EXPECT_EQ(state(), 1);
    EXPECT_GT(callbackLog().count(2), positionsBefore);
    EXPECT_EQ(velk_restart(), 1);  // not paused: nothing happens

    EXPECT_EQ(velk_stop(), 1);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(callbackLog().count(1), 1);
    EXPECT_EQ(callbackLog().count(4), 0);
}

TEST_F(Transport, PlaysToTheEndOnce) {
    openSong(200);
    ASSERT_EQ(velk_play(), 1);
    ASSERT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));
    EXPECT_TRUE(waitFor([] { return state() == 0; }));
    const auto codes = callbackLog().codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), 2);
    EXPECT_EQ(codes.back(), 4);
    EXPECT_EQ(callbackLog().count(1), 0);
    // The position counters start afresh once the thread has ended.
    EXPECT_EQ(velk_getPlaySampleI64(), 0);
    // And the song plays again.
    ASSERT_EQ(velk_play(), 1);
    EXPECT_TRUE(waitFor([] { return callbackLog().count(4) == 2; }));
}

TEST_F(Transport, PauseWhileStoppedIsErrorFourteen) {
    openSong();
    EXPECT_EQ(velk_pause(), 1);
    EXPECT_EQ(velk_getLastErrorNo(), 14);
    EXPECT_EQ(state(), 0);
}

TEST_F(Transport, PlayWithoutAFileFails) {
    EXPECT_EQ(velk_play(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 2);
}

TEST_F(Transport, CallbacksCanBeDisabledAndEnabled) {
    openSong(100);
    velk_clearCallback();
    ASSERT_EQ(velk_play(), 1);
    EXPECT_TRUE(waitFor([] { return state() == 0; }));
    EXPECT_TRUE(callbackLog().codes().empty());
    velk_enableCallback();
    ASSERT_EQ(velk_play(), 1);
    EXPECT_TRUE(waitFor([] { return callbackLog().count(4) == 1; }));
    EXPECT_EQ(velk_setCallback(recordCallback), 1);
}

TEST_F(Transport, SetCallbackIsRefusedWhilePlaying) {
    openSong();
    ASSERT_EQ(velk_play(), 1);
    EXPECT_EQ(velk_setCallback(recordCallback), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 13);
}

TEST_F(Transport, StopFromInsideTheCallbackShowsTheMessageAndStillStops) {
    recordMessages();
    std::atomic<int> result{-1};
    {
        std::lock_guard guard(callbackLog().lock);
        callbackLog().reaction = [&result](int code, int) {
            if (code == 2 && result == -1) result = velk_stop();
        };
    }
    openSong();
    ASSERT_EQ(velk_play(), 1);
    ASSERT_TRUE(waitFor([] { return state() == 0; }));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(messageLog().all(), std::vector<std::string>{
                                      "コールバック関数内で velk_stop() を呼び出してはいけません"});
    EXPECT_EQ(callbackLog().count(1), 1);
    EXPECT_EQ(callbackLog().count(4), 0);
}

TEST_F(Transport, ForbiddenCallsFromTheCallback) {
    recordMessages();
    std::mutex lock;
    std::vector<int> results;
    {
        std::lock_guard guard(callbackLog().lock);
        callbackLog().reaction = [&](int code, int) {
            std::lock_guard resultGuard(lock);
            if (code != 2 || !results.empty()) return;
            results.push_back(velk_pause());
            results.push_back(velk_restart());
            results.push_back(velk_setEqualizer(nullptr));
            results.push_back(velk_seek(1));
        };
    }
    openSong();
    ASSERT_EQ(velk_play(), 1);
    ASSERT_TRUE(waitFor([] { return messageLog().size() == 4; }));
    {
        std::lock_guard guard(lock);
        EXPECT_EQ(results, (std::vector<int>{0, 0, 1, 1}));
    }
    const auto texts = messageLog().all();
    EXPECT_EQ(texts[0], "コールバック関数内で velk_pause() を呼び出してはいけません");
    EXPECT_EQ(texts[1], "コールバック関数内で velk_restart() を呼び出してはいけません");
    EXPECT_EQ(texts[2], "コールバック関数内で velk_setEqualizer() を呼び出してはいけません");
    EXPECT_EQ(texts[3], "コールバック関数内でシーク関数を呼び出してはいけません");
    EXPECT_EQ(state(), 1);
    velk_stop();
}

TEST_F(Transport, StatusTimerReportsStateAndStops) {
    static std::atomic<int> lastState{-1};
    static std::atomic<int> ticks{0};
    ticks = 0;
    openSong();
    ASSERT_EQ(velk_setTimer(
                  [](int32_t s, int32_t, int32_t, int32_t) {
                      lastState = s;
                      ++ticks;
                  },
                  5, 1, 0),
              1);
    EXPECT_EQ(velk_setTimer([](int32_t, int32_t, int32_t, int32_t) {}, 5, 1, 0), 0);
    EXPECT_TRUE(waitFor([] { return ticks > 0 && lastState == 0; }));
    ASSERT_EQ(velk_play(), 1);
    EXPECT_TRUE(waitFor([] { return lastState == 1; }));
    EXPECT_EQ(velk_killTimer(), 1);
    EXPECT_EQ(velk_killTimer(), 0);
    const int after = ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(ticks, after);
}

TEST_F(Transport, CloseAndOpenWhilePlaying) {
    openSong();
    ASSERT_EQ(velk_play(), 1);
    InputInfo info{};
    ASSERT_EQ(velk_open(song.c_str(), &info), 1);
    EXPECT_EQ(state(), 0);
    ASSERT_EQ(velk_play(), 1);
    EXPECT_EQ(velk_close(), 1);
    EXPECT_EQ(state(), 0);
    EXPECT_EQ(velk_close(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 2);
}

}  // namespace
}  // namespace velk::test
