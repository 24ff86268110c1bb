#include "core/transport.h"

#include <gtest/gtest.h>

#include "core/playlist.h"
#include "core/playlist_actions.h"
#include "fake_engine.h"
#include "recording_host.h"

namespace velk::app {
namespace {

struct TransportFixture : ::testing::Test {
    Playlist list;
    test::FakeEngine engine;
    test::RecordingHost host;
    Transport transport{list, engine, host};

    void Fill(int count) {
        for (int i = 0; i < count; ++i) {
            auto e = std::make_unique<PlaylistEntry>();
            e->path = "/m/" + std::to_string(i) + ".mp3";
            e->length = 100;
            list.Append(std::move(e));
        }
    }
    std::string Song(int i) { return "/m/" + std::to_string(i) + ".mp3"; }
};

TEST_F(TransportFixture, LastSongEndingWithLoopOffStopsAtTheTop) {
    Fill(3);
    transport.flags.loop = false;
    list.SetCurrentIndex(2);
    transport.PlayCurrent(true);
    transport.AdvanceAfterEnd();
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(engine.opened.size(), 1u);
    EXPECT_FALSE(host.pauseCaption);
    EXPECT_FALSE(transport.Playing());
}

TEST_F(TransportFixture, LastSongEndingWithLoopOnStartsTheFirst) {
    Fill(3);
    list.SetCurrentIndex(2);
    transport.PlayCurrent(true);
    transport.AdvanceAfterEnd();
    EXPECT_EQ(engine.LastOpened(), Song(0));
    EXPECT_TRUE(host.pauseCaption);
    EXPECT_TRUE(host.clockRunning);
}

TEST_F(TransportFixture, LyricsEditRepeatsTheSongWhateverRandomAndTheListEnd) {
    Fill(3);
    transport.flags.lyricsEdit = true;
    transport.flags.loop = false;
    transport.flags.random = true;
    list.SetCurrentIndex(2);
    transport.PlayCurrent(true);
    transport.AdvanceAfterEnd();
    transport.AdvanceAfterEnd();
    EXPECT_EQ(engine.opened, (std::vector<std::string>{Song(2), Song(2), Song(2)}));
    EXPECT_EQ(list.CurrentIndex(), 2);
    // Leaving the editor gives the list its order back.
    transport.flags.lyricsEdit = false;
    transport.flags.random = false;
    transport.AdvanceAfterEnd();
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(engine.opened.size(), 3u);
}

TEST_F(TransportFixture, LyricsEditStopsOnASongThatCannotOpenAndKeepsItsTitle) {
    Fill(2);
    engine.unopenable.insert(Song(1));
    transport.flags.lyricsEdit = true;
    list.SetCurrentIndex(1);
    host.title = "kept";
    transport.PlayCurrent(true);
    EXPECT_TRUE(engine.opened.empty());
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_FALSE(host.pauseCaption);
    EXPECT_EQ(host.title, "");  // the start empties it; only Stop keeps it
    host.title = "kept";
    transport.Stop();
    EXPECT_EQ(host.title, "kept");
}

TEST_F(TransportFixture, NextAndPreviousWrapWhateverTheLoopFlag) {
    Fill(3);
    transport.flags.loop = false;
    list.SetCurrentIndex(0);
    transport.Previous();
    EXPECT_EQ(engine.LastOpened(), Song(2));
    transport.Next();
    EXPECT_EQ(engine.LastOpened(), Song(0));
}

TEST_F(TransportFixture, RandomCycleWithLoopOffPlaysEachOnceThenStops) {
    Fill(3);
    transport.flags.random = true;
    transport.flags.loop = false;
    transport.PlayCurrent(true);
    transport.AdvanceAfterEnd();
    transport.AdvanceAfterEnd();
    ASSERT_EQ(engine.opened.size(), 3u);
    EXPECT_EQ(std::set<std::string>(engine.opened.begin(), engine.opened.end()).size(), 3u);
    transport.AdvanceAfterEnd();
    EXPECT_EQ(engine.opened.size(), 3u);
    EXPECT_FALSE(host.pauseCaption);  // "再生"
}

TEST_F(TransportFixture, RandomCycleWithLoopOnStartsANewCycle) {
    Fill(3);
    transport.flags.random = true;
    transport.PlayCurrent(true);
    transport.AdvanceAfterEnd();
    transport.AdvanceAfterEnd();
    transport.AdvanceAfterEnd();
    ASSERT_EQ(engine.opened.size(), 4u);
    int played = 0;
    for (int i = 0; i < 3; ++i) played += list.Entry(i).played;
    EXPECT_EQ(played, 1);
}

TEST_F(TransportFixture, DoubleClickWithRandomOnPlaysExactlyThatRow) {
    Fill(5);
    transport.flags.random = true;
    transport.PlayRow(3);
    EXPECT_EQ(engine.LastOpened(), Song(3));
    EXPECT_EQ(list.CurrentIndex(), 3);
}

TEST_F(TransportFixture, FailedSongsAreSkippedUntilAllHaveFailed) {
    Fill(3);
    engine.unopenable = {Song(0), Song(1)};
    transport.PlayCurrent(true);
    EXPECT_EQ(engine.LastOpened(), Song(2));
    EXPECT_TRUE(list.Entry(0).failed);
    EXPECT_TRUE(list.Entry(1).failed);
    engine.unopenable.insert(Song(2));
    transport.AdvanceAfterEnd();  // loop on: wraps to 0, 1, 2 and finds every one failed
    EXPECT_TRUE(list.Entry(2).failed);
    EXPECT_FALSE(host.pauseCaption);
    EXPECT_FALSE(transport.Playing());
}

TEST_F(TransportFixture, FailedFlagClearsWhenTheSongPlaysAgain) {
    Fill(2);
    list.Entry(1).failed = true;
    transport.PlayRow(1);
    EXPECT_FALSE(list.Entry(1).failed);
}

TEST_F(TransportFixture, ManyUnreadableSongsDoNotExhaustTheStack) {
    Fill(20000);
    for (int i = 0; i < 19999; ++i) engine.unopenable.insert(Song(i));
    transport.flags.loop = false;
    transport.PlayCurrent(true);
    EXPECT_EQ(engine.LastOpened(), Song(19999));
}

TEST_F(TransportFixture, IndexBeyondTheEndWithRandomOffStartsNothing) {
    Fill(2);
    list.SetCurrentIndex(2);
    transport.PlayCurrent(true);
    EXPECT_TRUE(engine.opened.empty());
    Playlist empty;
    transport.SetActiveList(empty);
    transport.flags.random = true;
    transport.PlayCurrent(true);  // an empty list has nothing to choose from
    EXPECT_TRUE(engine.opened.empty());
}

TEST_F(TransportFixture, PlayPausePausesResumesAndStartsTheSelectedRow) {
    Fill(3);
    host.selectedRow = 2;
    transport.PlayPause();
    EXPECT_EQ(engine.LastOpened(), Song(2));
    transport.PlayPause();
    EXPECT_EQ(engine.state, kEnginePaused);
    EXPECT_FALSE(host.clockRunning);
    transport.PlayPause();
    EXPECT_EQ(engine.state, kEnginePlaying);
    EXPECT_EQ(engine.opened.size(), 1u);
}

TEST_F(TransportFixture, EndNoticeReachesTheHostOnlyThroughTheRegisteredProcedure) {
    Fill(1);
    transport.PlayCurrent(true);
    ASSERT_TRUE(engine.endNotice);
    engine.endNotice();
    EXPECT_EQ(host.endNotices, 1);
    EXPECT_TRUE(transport.Playing());
    transport.Stop();
    EXPECT_FALSE(transport.Playing());
    engine.endNotice();  // a notice that arrives after the stop is not passed on
    EXPECT_EQ(host.endNotices, 1);
}

TEST_F(TransportFixture, MemberSongEndsByPositionWhileTheArchivePlaysOn) {
    Fill(2);
    list.Entry(0).memberName = "a.mp3";
    list.Entry(0).startOffset = 60000;
    list.Entry(0).length = 30;
    transport.PlayCurrent(true);
    EXPECT_EQ(engine.seekedTo, 60);
    engine.position = 89;
    transport.CheckMemberEnd();
    EXPECT_EQ(engine.opened.size(), 1u);
    engine.position = 90;
    transport.CheckMemberEnd();
    EXPECT_EQ(engine.LastOpened(), Song(1));
    EXPECT_TRUE(MemberSongEnded(list.Entry(0), 90, 60));
}

TEST_F(TransportFixture, TimeTextIsEmptyWhenStoppedAndRelativeToAMembersStart) {
    Fill(1);
    EXPECT_EQ(transport.TimeText(), "");
    list.Entry(0).startOffset = 10000;
    transport.PlayCurrent(true);
    engine.position = 71;
    EXPECT_EQ(transport.TimeText(), "1:01");
    transport.flags.timeType = 2;
    EXPECT_EQ(transport.TimeText(), "1:01/1:40");
}

TEST_F(TransportFixture, RemovingThePlayingRowStartsTheSongNowAtItsIndex) {
    Fill(4);
    list.SetCurrentIndex(1);
    transport.PlayCurrent(true);
    EXPECT_TRUE(RemoveSelected(list, transport, {1}));
    EXPECT_EQ(engine.LastOpened(), Song(2));
    EXPECT_EQ(list.CurrentIndex(), 1);
}

TEST_F(TransportFixture, RemovingOtherRowsKeepsPlayingAndClearingStops) {
    Fill(4);
    list.SetCurrentIndex(2);
    transport.PlayCurrent(true);
    RemoveSelected(list, transport, {0});
    EXPECT_EQ(engine.opened.size(), 1u);
    EXPECT_EQ(list.CurrentIndex(), 1);
    ClearAll(list, transport);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(engine.state, kEngineStopped);
    EXPECT_EQ(list.CurrentIndex(), 0);
}

}  // namespace
}  // namespace velk::app
