#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/file_intake.h"
#include "core/lyrics_side_file.h"
#include "core/playlist_file.h"
#include "core/wave_length.h"
#include "support/temp_dir.h"
#include "velk.h"

namespace velk::app {
namespace {

using velk::test::TempDir;

// Playable: an existing file whose name ends in ".mp3" (length 42); WAVE flags for ".wav".
class FakeProbe : public MediaProbe {
  public:
    int calls = 0;
    int FileType(const std::string& path) override {
        ++calls;
        return path.ends_with(".wav") ? VELK_TYPE_RIFF_WAVE | VELK_TYPE_PCM_WAVE : 0;
    }
    bool FileInfo(const std::string& path, ProbedFile& out) override {
        if (!path.ends_with(".mp3") || !std::filesystem::exists(path)) return false;
        out.title = std::filesystem::path(path).stem().string() == "tagged" ? "Tagged" : "";
        out.length = 42;
        out.frames = 1600;
        return true;
    }
};

void WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<uint8_t> WaveHeader(uint32_t formatSize, uint32_t byteRate, uint32_t dataSize) {
    std::vector<uint8_t> b;
    auto put = [&b](const char* s) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(s[i]));
    };
    auto put32 = [&b](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put("RIFF");
    put32(36 + dataSize);
    put("WAVE");
    put("fmt ");
    put32(formatSize);
    b.resize(28, 0);
    put32(byteRate);
    b.resize(20 + formatSize, 0);
    put("data");
    put32(dataSize);
    b.resize(b.size() + 16, 0);
    return b;
}

struct IntakeFixture : ::testing::Test {
    TempDir dir;
    Playlist list;
    FakeProbe probe;
    FileIntake intake{list, probe};
};

TEST(PlaylistLines, CommentsSkippedAndRelativeLinesTakenFromThePlaylistFolder) {
    TempDir dir;
    const std::string m3u = dir.file("list.m3u");
    WriteText(m3u,
              "#EXTM3U\n# comment\n\nmusic/a.mp3\r\n  \t music\\b.mp3\n./c.mp3\n"
              "/abs/d.mp3\n1track.mp3\n\\root.mp3\n\xe3\x81\x82.mp3\n   \n");
    const auto paths = ReadPlaylistLines(m3u);
    const std::string base = std::filesystem::absolute(dir.path()).lexically_normal().string();
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(paths[0], base + "/music/a.mp3");
    EXPECT_EQ(paths[1], base + "/music/b.mp3");
    EXPECT_EQ(paths[2], base + "/c.mp3");
    EXPECT_EQ(paths[3], "/abs/d.mp3");
}

TEST(PlaylistLines, PlsGivesOnlyItsFileEntries) {
    TempDir dir;
    const std::string pls = dir.file("list.pls");
    WriteText(pls,
              "[playlist]\nNumberOfEntries=2\nFile1=x.mp3\nTitle1=X\nfile2=/y.mp3\nVersion=2\n");
    const auto paths = ReadPlaylistLines(pls);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(std::filesystem::path(paths[0]).filename(), "x.mp3");
    EXPECT_EQ(paths[1], "/y.mp3");
    EXPECT_TRUE(ReadPlaylistLines(dir.file("missing.m3u")).empty());
}

TEST(WaveLength, DataChunkSizeOverByteRate) {
    TempDir dir;
    velk::test::writeFileBytes(dir.file("a.wav"), WaveHeader(16, 176400, 176400 * 3 + 5));
    EXPECT_EQ(ReadWaveLength(dir.file("a.wav")), 3);
    velk::test::writeFileBytes(dir.file("zero.wav"), WaveHeader(16, 0, 1000));
    EXPECT_EQ(ReadWaveLength(dir.file("zero.wav")), 0);
    auto bytes = WaveHeader(16, 1, 1);
    bytes[16] = bytes[17] = bytes[18] = bytes[19] = 0xFF;  // format size far past the end
    velk::test::writeFileBytes(dir.file("hostile.wav"), bytes);
    EXPECT_EQ(ReadWaveLength(dir.file("hostile.wav")), 0);
    velk::test::writeFileBytes(dir.file("short.wav"), {'R', 'I', 'F', 'F'});
    EXPECT_FALSE(ReadWaveLength(dir.file("short.wav")));
}

TEST_F(IntakeFixture, QuietDropLeavesOutWhatNothingCanRead) {
    WriteText(dir.file("drop/a.mp3"), "x");
    WriteText(dir.file("drop/notes.txt"), "x");
    WriteText(dir.file("drop/sub/b.mp3"), "x");
    WriteText(dir.file("drop/bad.wav"), "not a wave");
    velk::test::writeFileBytes(dir.file("drop/c.wav"), WaveHeader(16, 1000, 5000));
    intake.AddDropped({dir.file("drop"), dir.file("gone.mp3")});
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Entry(0).fileName, "a.mp3");
    EXPECT_EQ(list.Entry(1).fileName, "c.wav");
    EXPECT_EQ(list.Entry(1).length, 5);
    EXPECT_EQ(list.Entry(2).fileName, "b.mp3");  // the subfolder where it is met, in name order
    EXPECT_FALSE(intake.IsAdding());
}

TEST_F(IntakeFixture, CommandLinePathIsAddedEvenWhenUnreadable) {
    intake.AddPath(dir.file("missing.mp3"), false);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Entry(0).length, 0);
    EXPECT_EQ(list.Entry(0).displayName, "missing.mp3");
}

TEST_F(IntakeFixture, PlaylistExpandsAndCannotIncludeItself) {
    WriteText(dir.file("a.mp3"), "x");
    WriteText(dir.file("tagged.mp3"), "x");
    WriteText(dir.file("self.m3u"), "a.mp3\nself.m3u\ninner.m3u\n");
    WriteText(dir.file("inner.m3u"), "tagged.mp3\nself.m3u\n");
    intake.AddPath(dir.file("self.m3u"), false);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Entry(0).fileName, "a.mp3");
    EXPECT_EQ(list.Entry(1).displayName, "Tagged");
    EXPECT_EQ(list.Entry(1).frames, 1600);
}

TEST_F(IntakeFixture, GarbagePlaylistAddsOnlyLetterLinesAndEnds) {
    std::string garbage;
    for (int i = 0; i < 20000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    garbage += "\nzz\n" + std::string(100000, 'q') + "\n";
    WriteText(dir.file("junk.m3u"), garbage);
    intake.AddPath(dir.file("junk.m3u"), false);
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Entry(i).length, 0);
    EXPECT_GE(list.Count(), 1);
}

TEST_F(IntakeFixture, FavouriteLineKeepsItsFieldsWithoutOpeningAnything) {
    intake.AddPath("/arc/songs.zip|disc/one.mp3|One|Ann|225|60000", false);
    ASSERT_EQ(list.Count(), 1);
    const PlaylistEntry& e = list.Entry(0);
    EXPECT_EQ(e.path, "/arc/songs.zip");
    EXPECT_EQ(e.memberName, "disc/one.mp3");
    EXPECT_EQ(e.fileName, "disc/one.mp3");
    EXPECT_EQ(e.title, "One");
    EXPECT_EQ(e.length, 225);
    EXPECT_EQ(e.startOffset, 60000);
    EXPECT_EQ(probe.calls, 0);
    EXPECT_EQ(FavouriteLine(e), "/arc/songs.zip|disc/one.mp3|One|Ann|225|60000");
    intake.AddPath("/x.zip|m.mp3", false);  // short lines fill the rest with empty fields
    EXPECT_EQ(list.Entry(1).length, 0);
}

TEST_F(IntakeFixture, LyricsSideFileGivesTheMark) {
    WriteText(dir.file("sing.mp3"), "x");
    WriteText(dir.file("sing.lrc"), "[00:01:00]la");
    WriteText(dir.file("plain.mp3"), "x");
    intake.AddPath(dir.file("sing.mp3"), true);
    intake.AddPath(dir.file("plain.mp3"), true);
    EXPECT_EQ(list.Entry(0).lyricsMark, kLyricsMark);
    EXPECT_EQ(list.Entry(1).lyricsMark, "");
}

TEST_F(IntakeFixture, AddingFlagHoldsThroughNestedPlaylistsAndClearsAfter) {
    WriteText(dir.file("a.mp3"), "x");
    WriteText(dir.file("outer.m3u"), "inner.m3u\na.mp3\n");
    WriteText(dir.file("inner.m3u"), "a.mp3\n");
    int pumped = 0, pumpedWhileAdding = 0;
    intake.hooks.beforeEachPath = [&] {
        ++pumped;
        pumpedWhileAdding += intake.IsAdding();
    };
    intake.AddPath(dir.file("outer.m3u"), false);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(pumped, 4);  // outer, inner, and each song line
    EXPECT_EQ(pumpedWhileAdding, pumped);
    EXPECT_FALSE(intake.IsAdding());
}

// An ending player stops taking paths at once, even in the middle of a playlist.
TEST_F(IntakeFixture, AStopRequestEndsTheAddBetweenTwoPaths) {
    WriteText(dir.file("a.mp3"), "x");
    WriteText(dir.file("list.m3u"), "a.mp3\na.mp3\na.mp3\n");
    intake.hooks.stopRequested = [&] { return list.Count() >= 1; };
    intake.AddPath(dir.file("list.m3u"), false);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(intake.IsAdding());
}

TEST_F(IntakeFixture, UnreadableFolderAddsNothing) {
    std::filesystem::create_directories(dir.file("locked"));
    WriteText(dir.file("locked/a.mp3"), "x");
    std::filesystem::permissions(dir.file("locked"), std::filesystem::perms::none);
    intake.AddDropped({dir.file("locked")});
    std::filesystem::permissions(dir.file("locked"), std::filesystem::perms::owner_all);
    // root reads any folder; everyone else gets nothing, and neither crashes
    EXPECT_LE(list.Count(), 1);
}

}  // namespace
}  // namespace velk::app

#include "core/velk_player_engine.h"

namespace velk::app {
namespace {

TEST(DemoPlaylist, ExpandsToTheDemoSongWithItsTagAndLyricsMark) {
    VelkPlayerEngine engine;
    Playlist list;
    FileIntake intake(list, engine);
    intake.AddPath(std::string(VELK_TEST_DATA_DIR) + "/demo.m3u", false);
    ASSERT_EQ(list.Count(), 1);
    const PlaylistEntry& demo = list.Entry(0);
    EXPECT_EQ(demo.displayName, "Velkaro demo");
    EXPECT_EQ(demo.artist, "Velkaro");
    EXPECT_EQ(demo.length, 12);
    EXPECT_GT(demo.frames, 0);
    EXPECT_EQ(demo.lyricsMark, kLyricsMark);
    EXPECT_EQ(FindLyricsFile(demo.path, ""), std::string(VELK_TEST_DATA_DIR) + "/demo.txt");
    EXPECT_EQ(ReadLyricsTiming(FindLyricsFile(demo.path, "")).offsetMs, 0);
    // The song carries the same lyrics in its own Lyrics3 block, for players without the side file.
    EXPECT_TRUE(engine.FileType(demo.path) & VELK_TYPE_LYRICS3);
    EXPECT_TRUE(engine.FileType(demo.path) & VELK_TYPE_ID3V1);
}

TEST(RealEngineIntake, NonAudioIsLeftOutOfADropAndKeptFromACommandLine) {
    TempDir dir;
    WriteText(dir.file("notes.mp3"), std::string(5000, 'x'));
    VelkPlayerEngine engine;
    Playlist list;
    FileIntake intake(list, engine);
    intake.AddDropped({dir.file("notes.mp3")});
    EXPECT_EQ(list.Count(), 0);
    intake.AddPath(dir.file("notes.mp3"), false);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Entry(0).length, 0);
}

}  // namespace
}  // namespace velk::app
