#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/player_session.h"
#include "fake_engine.h"
#include "queue_host.h"
#include "support/temp_dir.h"

namespace velk::app {
namespace {

using velk::test::TempDir;

// Writes each event as one word, so two listeners can be compared line for line.
class Recorder : public SessionListener {
  public:
    std::vector<std::string> events;

    void SongStarted(const PlaylistEntry& e) override { events.push_back("started " + e.path); }
    void Paused() override { events.push_back("paused"); }
    void Resumed() override { events.push_back("resumed"); }
    void Stopped() override { events.push_back("stopped"); }
    void SongEnded() override { events.push_back("ended"); }
    void TitleChanged(const std::string& t) override { events.push_back("title " + t); }
    void PlaylistChanged(PlaylistChange c) override {
        events.push_back("list " + std::to_string(static_cast<int>(c)));
    }
    void RowsAppended(int first) override { events.push_back("rows " + std::to_string(first)); }
    void SettingsApplied() override { events.push_back("settings"); }
};

struct SessionFixture : ::testing::Test {
    TempDir dir;
    test::FakeEngine engine;
    QueueHost host;
    std::unique_ptr<PlayerSession> session;

    void SetUp() override { session = Make(false); }

    std::unique_ptr<PlayerSession> Make(bool readOnly) {
        SessionOptions options;
        options.profileFolder = dir.file("profile");
        options.readOnly = readOnly;
        return std::make_unique<PlayerSession>(engine, host, options);
    }

    std::vector<std::string> Songs(int count) {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i) paths.push_back(dir.file("song" + std::to_string(i)));
        return paths;
    }
};

TEST_F(SessionFixture, TwoListenersHearTheSameEventsInOrderAndASongEndAdvancesBoth) {
    Recorder first, second;
    session->Subscribe(first);
    session->Subscribe(second);
    session->AddLines(Songs(2));
    session->Player().PlayRow(0);
    ASSERT_TRUE(engine.endNotice);
    engine.endNotice();  // the engine's thread: nothing happens until the owner runs it
    EXPECT_EQ(session->MainList().CurrentIndex(), 0);
    host.RunPosted();
    EXPECT_EQ(session->MainList().CurrentIndex(), 1);
    EXPECT_EQ(engine.LastOpened(), dir.file("song1"));
    session->Player().PlayPause();
    session->Player().PlayPause();
    session->Player().Stop();

    EXPECT_EQ(first.events, second.events);
    auto position = [&](const std::string& event) {
        return std::find(first.events.begin(), first.events.end(), event) - first.events.begin();
    };
    const auto started0 = position("started " + dir.file("song0"));
    const auto ended = position("ended");
    const auto started1 = position("started " + dir.file("song1"));
    EXPECT_LT(started0, ended);
    EXPECT_LT(ended, started1);
    EXPECT_LT(started1, position("paused"));
    EXPECT_LT(position("paused"), position("resumed"));
    EXPECT_LT(position("resumed"), position("stopped"));
    EXPECT_EQ(first.events.back(), "stopped");
}

TEST_F(SessionFixture, AnEndNoticeAfterStopOrAfterTheSessionEndedDoesNothing) {
    session->AddLines(Songs(2));
    session->Player().PlayRow(0);
    engine.endNotice();
    session->Player().Stop();  // the playing flag drops before the notice is handled
    host.RunPosted();
    EXPECT_EQ(session->MainList().CurrentIndex(), 0);

    session->Player().PlayRow(0);
    engine.endNotice();
    session.reset();
    host.RunPosted();  // must not touch the ended session
}

TEST_F(SessionFixture, ListenersLeavingDuringAnEventAreNotCalledAgain) {
    struct Leaver : SessionListener {
        PlayerSession* session = nullptr;
        int calls = 0;
        void SettingsApplied() override {
            ++calls;
            session->Unsubscribe(*this);
        }
    } leaver;
    Recorder after;
    leaver.session = session.get();
    session->Subscribe(leaver);
    session->Subscribe(after);
    session->ApplySettings();
    session->ApplySettings();
    EXPECT_EQ(leaver.calls, 1);
    EXPECT_EQ(std::count(after.events.begin(), after.events.end(), "settings"), 2);
}

// A long add announces its rows in batches and lets the window run between them; a quit
// request (a signal, the window closing) ends it at the next path.
TEST_F(SessionFixture, LongAddsLetTheWindowRunAndStopWhenTheSessionQuits) {
    Recorder recorder;
    session->Subscribe(recorder);
    const auto paths = Songs(5000);
    host.onPump = [&] {
        if (session->MainList().Count() >= 10) session->QuitFlag() = true;
    };
    session->AddLines(paths);
    EXPECT_LT(session->MainList().Count(), 5000);
    EXPECT_FALSE(session->IsAdding());
    int announced = 0;
    for (const auto& e : recorder.events) announced += e.rfind("rows ", 0) == 0;
    EXPECT_GE(announced, 1);
}

TEST_F(SessionFixture, AHandOverWhileAddingIsDroppedAndOtherwiseClearsAddsAndPlays) {
    session->AddLines(Songs(3));
    bool droppedWhileAdding = false;
    host.onPump = [&] { droppedWhileAdding = !session->HandOver(dir.file("other")); };
    session->AddLines(Songs(10));
    host.onPump = nullptr;
    EXPECT_TRUE(droppedWhileAdding);
    EXPECT_EQ(session->MainList().Count(), 13);

    EXPECT_TRUE(session->HandOver(dir.file("other")));
    ASSERT_EQ(session->MainList().Count(), 1);
    EXPECT_EQ(engine.LastOpened(), dir.file("other"));
}

TEST_F(SessionFixture, SeekingAPausedSongToItsEndKeepsItPaused) {
    session->AddLines(Songs(1));
    session->MainList().Entry(0).length = 100;
    session->Player().PlayRow(0);
    session->Player().PlayPause();
    ASSERT_EQ(engine.state, kEnginePaused);
    session->Player().SeekTo(100);
    EXPECT_EQ(engine.seekedTo, 99);
    session->Player().PlayPause();
    session->Player().SeekTo(100);  // playing: the end is where the user wants to go
    EXPECT_EQ(engine.seekedTo, 100);
}

TEST_F(SessionFixture, APictureSessionWritesNeitherSettingsNorFavourites) {
    auto picture = Make(true);
    picture->AddLines(Songs(2));
    picture->Shutdown(50);
    EXPECT_FALSE(std::filesystem::exists(dir.file("profile/velkaro.INI")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("profile/お気に入り")));

    session->AddLines(Songs(2));
    session->Shutdown(50);
    EXPECT_TRUE(std::filesystem::exists(dir.file("profile/velkaro.INI")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("profile/お気に入り/ノーマル.m3u")));
}

}  // namespace
}  // namespace velk::app
