#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "archive_files.h"
#include "core/archive_intake.h"
#include "core/file_intake.h"
#include "core/libarchive_reader.h"
#include "core/playlist.h"
#include "core/song_source.h"
#include "core/transport.h"
#include "core/velk_player_engine.h"
#include "fake_engine.h"
#include "recording_host.h"
#include "support/temp_dir.h"

namespace velk::app {
namespace {

using test::CbrMember;
using test::WriteZip;
using velk::test::TempDir;

struct ArchivePlaybackFixture : ::testing::Test {
    TempDir dir;
    TempDir temp;  // where temporary copies go
    Playlist list;
    test::FakeEngine engine;
    test::RecordingHost host;
    LibArchiveReader reader;
    std::unique_ptr<ArchiveSongSources> sources =
        std::make_unique<ArchiveSongSources>(reader, temp.path().string());
    Transport transport{list, engine, host};
    std::string zip = dir.file("album.zip");
    std::vector<uint8_t> deflatedBytes = CbrMember(5);

    ArchivePlaybackFixture() {
        transport.SetSongSources(sources.get());
        // Two stored members, a deflated one, and a stored one behind it.
        WriteZip(zip, {{"a.mp3", CbrMember(4)},
                       {"b.mp3", CbrMember(2)},
                       {"c.mp3", deflatedBytes, true},
                       {"d.mp3", CbrMember(3)}});
        ReadArchive(zip, reader, [this](PlaylistEntry e) {
            list.Append(std::make_unique<PlaylistEntry>(std::move(e)));
            return true;
        });
    }

    int TemporaryFiles() {
        int count = 0;
        for (const auto& f : std::filesystem::directory_iterator(temp.path())) {
            (void)f;
            ++count;
        }
        return count;
    }

    // Lets the open member play to its length and the housekeeping tick notice it.
    void PlayToEnd(int startSeconds, int length) {
        engine.position = startSeconds + length - 1;
        transport.CheckMemberEnd();
        engine.position = startSeconds + length;
        transport.CheckMemberEnd();
    }
};

TEST_F(ArchivePlaybackFixture, StoredPlaysFromTheArchiveDeflatedFromATemporaryCopy) {
    ASSERT_EQ(list.Count(), 4);
    ASSERT_EQ(list.Entry(3).startOffset, 11000);
    list.SetCurrentIndex(0);
    transport.PlayCurrent(false);
    EXPECT_EQ(engine.LastOpened(), zip);
    EXPECT_EQ(engine.seekedTo, 0);
    PlayToEnd(0, 4);  // the next stored member, at its place in the archive
    EXPECT_EQ(engine.LastOpened(), zip);
    EXPECT_EQ(engine.seekedTo, 4);
    engine.position = 5;
    EXPECT_EQ(transport.TimeText(), "0:01");
    transport.SeekTo(1);
    EXPECT_EQ(engine.seekedTo, 5);
    EXPECT_EQ(TemporaryFiles(), 0);

    PlayToEnd(4, 2);  // the deflated member follows, from a copy
    ASSERT_EQ(list.CurrentIndex(), 2);
    const std::string copy = engine.LastOpened();
    EXPECT_EQ(copy, sources->TemporaryFile());
    EXPECT_EQ(copy.rfind(temp.path().string() + "/velk", 0), 0u);
    EXPECT_EQ(velk::test::readFileBytes(copy), deflatedBytes);
    EXPECT_EQ(engine.seekedTo, 0);  // its start counts from the copy's beginning
    engine.position = 2;
    EXPECT_EQ(transport.TimeText(), "0:02");
    transport.SeekTo(3);
    EXPECT_EQ(engine.seekedTo, 3);

    // Behind compressed bytes the archive no longer plays as one stream: a copy again.
    PlayToEnd(0, 5);
    EXPECT_EQ(list.CurrentIndex(), 3);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(engine.LastOpened(), sources->TemporaryFile());
    EXPECT_EQ(velk::test::readFileBytes(engine.LastOpened()), CbrMember(3));
    EXPECT_EQ(TemporaryFiles(), 1);
    PlayToEnd(0, 3);  // the last member ends; the first plays again (loop)
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(TemporaryFiles(), 0);
}

TEST_F(ArchivePlaybackFixture, TheTemporaryCopyGoesAtStopAtPreviousAndAtExit) {
    list.SetCurrentIndex(2);
    transport.PlayCurrent(false);
    EXPECT_EQ(TemporaryFiles(), 1);
    transport.Stop();
    EXPECT_EQ(TemporaryFiles(), 0);

    transport.PlayCurrent(false);
    EXPECT_EQ(TemporaryFiles(), 1);
    transport.Previous();
    EXPECT_EQ(engine.LastOpened(), zip);
    EXPECT_EQ(TemporaryFiles(), 0);
    transport.Next();
    EXPECT_EQ(TemporaryFiles(), 1);

    transport.SetSongSources(nullptr);
    sources.reset();  // the player ends
    EXPECT_EQ(TemporaryFiles(), 0);
}

TEST_F(ArchivePlaybackFixture, AMemberThatCannotBeHadFailsAndLeavesNothingBehind) {
    // The archive changed since it was listed: the member's data is now deflated and cut short.
    const std::string damaged = dir.file("damaged.zip");
    WriteZip(damaged, {{"b.mp3", deflatedBytes, true}});
    auto cut = velk::test::readFileBytes(damaged);
    cut.resize(cut.size() / 2);
    velk::test::writeFileBytes(damaged, cut);
    list.Entry(1).path = damaged;
    list.Entry(0).path = dir.file("gone.zip");  // removed since: a favourite line's archive
    list.SetCurrentIndex(0);
    transport.PlayCurrent(false);
    EXPECT_TRUE(list.Entry(0).failed);
    EXPECT_TRUE(list.Entry(1).failed);
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_EQ(engine.LastOpened(), sources->TemporaryFile());
    EXPECT_EQ(TemporaryFiles(), 1);
}

TEST_F(ArchivePlaybackFixture, FavouriteLineMemberPlaysWhereItsLineSays) {
    PlaylistEntry entry;
    ASSERT_TRUE(ParseFavouriteLine(zip + "|b.mp3|||2|4000", entry));
    list.Clear();
    list.Append(std::make_unique<PlaylistEntry>(entry));
    list.SetCurrentIndex(0);
    transport.PlayCurrent(false);
    EXPECT_EQ(engine.LastOpened(), zip);
    EXPECT_EQ(engine.seekedTo, 4);
}

TEST(ArchiveMemberStorage, OnlyStoredAudioFromTheArchivesStartPlaysInPlace) {
    TempDir dir;
    const std::string zip = dir.file("mixed.zip");
    WriteZip(zip, {{"a.mp3", CbrMember(1)},
                   {"cover.jpg", std::vector<uint8_t>(3000, 0xFF)},
                   {"b.mp3", CbrMember(1)}});
    LibArchiveReader reader;
    EXPECT_EQ(reader.Storage(zip, "a.mp3"), MemberStorage::kInArchiveStream);
    EXPECT_EQ(reader.Storage(zip, "b.mp3"), MemberStorage::kNeedsCopy);
    EXPECT_EQ(reader.Storage(zip, "c.mp3"), MemberStorage::kMissing);
    EXPECT_EQ(reader.Storage(dir.file("none.zip"), "a.mp3"), MemberStorage::kMissing);
    const std::string tagged = dir.file("tagged.zip");
    WriteZip(tagged, {{"a.mp3", test::WithId3v2(CbrMember(1), "T", "A")}, {"b.mp3", CbrMember(1)}});
    EXPECT_EQ(reader.Storage(tagged, "a.mp3"), MemberStorage::kNeedsCopy);
    EXPECT_EQ(reader.Storage(tagged, "b.mp3"), MemberStorage::kNeedsCopy);
}

// The real engine, without a sound card (VELKARO_AUDIO=null:50), plays the archive's members
// one after another: the stored ones by position inside the archive, the deflated one from its
// copy to its own end.
TEST(ArchivePlaybackWithTheEngine, MembersFollowOneAnotherToTheLast) {
    TempDir dir;
    TempDir temp;
    const std::string zip = dir.file("album.zip");
    WriteZip(zip,
             {{"a.mp3", CbrMember(2)}, {"b.mp3", CbrMember(2), true}, {"c.mp3", CbrMember(2)}});
    Playlist list;
    LibArchiveReader reader;
    ReadArchive(zip, reader, [&list](PlaylistEntry e) {
        list.Append(std::make_unique<PlaylistEntry>(std::move(e)));
        return true;
    });
    ASSERT_EQ(list.Count(), 3);
    VelkPlayerEngine engine;
    test::RecordingHost host;
    ArchiveSongSources sources(reader, temp.path().string());
    Transport transport(list, engine, host);
    transport.SetSongSources(&sources);
    transport.flags.loop = false;
    list.SetCurrentIndex(0);
    transport.PlayCurrent(false);

    std::vector<int> rows{list.CurrentIndex()};
    bool copyWhileOnB = false;
    int notices = 0;
    // A guard against a hang only: the three members take a fraction of a second.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (transport.ShowsPause() && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (host.endNotices != notices) {  // what the window's advance timer does
            notices = host.endNotices;
            transport.AdvanceAfterEnd();
        } else {
            transport.CheckMemberEnd();  // what its housekeeping tick does
        }
        if (list.CurrentIndex() != rows.back()) rows.push_back(list.CurrentIndex());
        if (list.CurrentIndex() == 1 && !sources.TemporaryFile().empty())
            copyWhileOnB = std::filesystem::exists(sources.TemporaryFile());
    }
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_TRUE(copyWhileOnB);
    for (int i = 0; i < list.Count(); ++i) EXPECT_FALSE(list.Entry(i).failed) << i;
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
}

}  // namespace
}  // namespace velk::app
