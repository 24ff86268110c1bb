#include "lyrics/core/lyrics_editor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/playlist_entry.h"
#include "core/read_only_file.h"
#include "lyrics/core/lyrics_store.h"
#include "lyrics/core/sub_second_clock.h"
#include "support/temp_dir.h"
#include "tags/tag_files.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;
using velk::test::Bytes;
using velk::test::operator+;
using velk::test::readFileBytes;
using velk::test::TempDir;
using Lines = std::vector<std::string>;

std::string TextOf(const std::string& path) {
    const Bytes bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// ---- Lines and tags -------------------------------------------------------------------------

TEST(LyricsLines, UntimedTagGoesOnPlainTextOnlyAndComesOffOnlyAtTheFront) {
    EXPECT_EQ(MarkUntimed("歌"), "[--:--:--]歌");
    EXPECT_EQ(MarkUntimed(""), "");
    EXPECT_EQ(MarkUntimed("@Offset=10"), "@Offset=10");
    EXPECT_EQ(MarkUntimed("[00:01:02]a"), "[00:01:02]a");
    EXPECT_EQ(WithoutUntimedTag("[--:--:--]a"), "a");
    EXPECT_EQ(WithoutUntimedTag("[00:01:02]a"), "[00:01:02]a");
    EXPECT_EQ(WithoutUntimedTag("a[--:--:--]"), "a[--:--:--]");
}

TEST(LyricsLines, StampReplacesTheFirstTagAndFormatsTwoDigitFields) {
    EXPECT_EQ(StampLine("[00:10:00]text", 65, 7), "[01:05:07]text");
    EXPECT_EQ(StampLine("[--:--:--]text", 0, 0), "[00:00:00]text");
    EXPECT_EQ(StampLine("plain", 59, 99), "[00:59:99]plain");
    // Only the first tag goes; a tag never closed leaves no text behind it.
    EXPECT_EQ(StampLine("[00:01:00][x]y", 1, 0), "[00:01:00][x]y");
    EXPECT_EQ(StampLine("[broken", 3, 0), "[00:03:00]");
    // Beyond the field widths and below zero.
    EXPECT_EQ(StampLine("a", 6000, 150), "[100:00:99]a");
    EXPECT_EQ(StampLine("a", -4, -1), "[00:00:00]a");
}

TEST(LyricsLines, TagSecondsIgnoreHundredthsAndReadThePlaceholderAsZero) {
    EXPECT_EQ(LineTagSeconds("[02:10:99]x"), 130);
    EXPECT_EQ(LineTagSeconds("[02:10:00]x"), 130);
    EXPECT_EQ(LineTagSeconds("[--:--:--]x"), 0);
    EXPECT_EQ(LineTagSeconds("[1"), 0);
    EXPECT_EQ(LineTagSeconds("@Title=x"), -1);
    EXPECT_EQ(LineTagSeconds(""), -1);
}

TEST(LyricsLines, SplitKeepsEmptyLinesAndATailWithoutLineEnd) {
    EXPECT_EQ(SplitLines("a\r\n\r\nb\nc"), (Lines{"a", "", "b", "c"}));
    EXPECT_EQ(SplitLines("a\n"), (Lines{"a"}));
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
}

// ---- The editor -----------------------------------------------------------------------------

TEST(LyricsEditorRules, LoadMarksLinesAndStartsUnmodifiedWithoutSelection) {
    LyricsEditor editor;
    editor.Load({"@Title=x", "one", "", "[00:01:00]two"});
    EXPECT_EQ(editor.Lines(), (Lines{"@Title=x", "[--:--:--]one", "", "[00:01:00]two"}));
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(editor.Selected(), -1);
    EXPECT_FALSE(editor.StampSelected(1, 0));
    EXPECT_FALSE(editor.DeleteSelected());
}

TEST(LyricsEditorRules, StampMovesToTheNextLineAndStaysOnTheLast) {
    LyricsEditor editor;
    editor.Load({"[00:10:00]a", "b"});
    editor.Select(0);
    ASSERT_TRUE(editor.StampSelected(65, 12));
    EXPECT_EQ(editor.Lines()[0], "[01:05:12]a");
    EXPECT_EQ(editor.Selected(), 1);
    EXPECT_EQ(editor.EditIndex(), 1);
    EXPECT_TRUE(editor.Modified());
    editor.StampSelected(66, 0);
    EXPECT_EQ(editor.Lines()[1], "[01:06:00]b");
    EXPECT_EQ(editor.Selected(), 1);
}

TEST(LyricsEditorRules, CommitMarksTheTextAndModifiesOnlyOnChange) {
    LyricsEditor editor;
    editor.Load({"[--:--:--]a"});
    editor.Commit("x");  // no line chosen yet
    EXPECT_FALSE(editor.Modified());
    editor.Select(0);
    editor.Commit("[--:--:--]a");
    EXPECT_FALSE(editor.Modified());
    editor.Commit("b");
    EXPECT_TRUE(editor.Modified());
    EXPECT_EQ(editor.Lines()[0], "[--:--:--]b");
    // A selection lost keeps the line the field belongs to.
    editor.Select(7);
    EXPECT_EQ(editor.Selected(), -1);
    editor.Commit("");
    EXPECT_EQ(editor.Lines()[0], "");
}

TEST(LyricsEditorRules, PasteIntoAnEmptyListMarksOnlyPlainText) {
    LyricsEditor editor;
    editor.Load({});
    ASSERT_TRUE(editor.Paste("plain\r\n\r\n@Header", editor.InsertPosition(false)));
    EXPECT_EQ(editor.Lines(), (Lines{"[--:--:--]plain", "", "@Header"}));
    EXPECT_EQ(editor.Selected(), 2);
    EXPECT_EQ(editor.EditText(), "@Header");
    EXPECT_TRUE(editor.Modified());
}

TEST(LyricsEditorRules, InsertPositionFollowsTheSelectionAndTheTopAnswer) {
    LyricsEditor editor;
    editor.Load({"a", "b", "c"});
    EXPECT_FALSE(editor.InsertAsksForTop());
    EXPECT_EQ(editor.InsertPosition(false), 0);
    editor.Select(0);
    EXPECT_TRUE(editor.InsertAsksForTop());
    EXPECT_EQ(editor.InsertPosition(true), 0);
    EXPECT_EQ(editor.InsertPosition(false), 1);
    editor.Select(1);
    EXPECT_EQ(editor.InsertPosition(true), 2);

    // "No" to clearing: the pieces go after the selection, one after another.
    editor.Paste("x\r\ny", editor.InsertPosition(false));
    EXPECT_EQ(editor.Lines(),
              (Lines{"[--:--:--]a", "[--:--:--]b", "[--:--:--]x", "[--:--:--]y", "[--:--:--]c"}));
    EXPECT_EQ(editor.Selected(), 3);
    // "Yes" to clearing: only the new lines remain.
    editor.Clear();
    editor.Paste("z", editor.InsertPosition(false));
    EXPECT_EQ(editor.Lines(), (Lines{"[--:--:--]z"}));
    EXPECT_FALSE(editor.Paste("", 0));
}

TEST(LyricsEditorRules, AddAndDeleteKeepASelectionWhileLinesRemain) {
    LyricsEditor editor;
    editor.Load({"a", "b"});
    editor.Select(0);
    editor.AddLine(editor.InsertPosition(true));
    EXPECT_EQ(editor.Lines(), (Lines{"", "[--:--:--]a", "[--:--:--]b"}));
    EXPECT_EQ(editor.Selected(), 0);
    editor.Select(2);
    ASSERT_TRUE(editor.DeleteSelected());
    EXPECT_EQ(editor.Selected(), 1);  // the last line, as none follows
    EXPECT_EQ(editor.EditText(), "[--:--:--]a");
    editor.DeleteSelected();
    editor.DeleteSelected();
    EXPECT_TRUE(editor.Empty());
    EXPECT_EQ(editor.Selected(), -1);
    EXPECT_EQ(editor.EditIndex(), -1);
    EXPECT_FALSE(editor.DeleteSelected());
}

TEST(LyricsEditorRules, SubSecondCountsOnlyFromASeenStepToTheNextSecond) {
    SubSecondClock clock;
    clock.Observe(5, 1000);
    EXPECT_EQ(clock.Hundredths(5, 1500), 0);  // where second 5 began was not seen
    clock.Observe(6, 2000);
    EXPECT_EQ(clock.Hundredths(6, 2370), 37);
    EXPECT_EQ(clock.Hundredths(6, 9000), 99);
    EXPECT_EQ(clock.Hundredths(7, 2370), 0);
    clock.Observe(40, 3000);  // a seek
    EXPECT_EQ(clock.Hundredths(40, 3500), 0);
}

// ---- Saving over real files -----------------------------------------------------------------

struct LyricsStoreFixture : ::testing::Test {
    TempDir dir;
    const Bytes audio = velk::test::mpegAudio(12);

    LyricsSong SongFile(const std::string& name, const Bytes& tail, bool useLyrics3 = true) {
        LyricsSong song;
        song.path = dir.file(name);
        velk::test::writeFileBytes(song.path, audio + tail);
        song.fileType = velk_getFileType(song.path.c_str());
        song.useLyrics3 = useLyrics3;
        return song;
    }
    void Refresh(LyricsSong& song) { song.fileType = velk_getFileType(song.path.c_str()); }
};

TEST_F(LyricsStoreFixture, SaveTargetDependsOnTheChoiceTheExtensionAndMembers) {
    LyricsSong song;
    song.path = "/m/a.MP3";
    EXPECT_EQ(ChooseSaveTarget(song, false), LyricsSaveTarget::Lyrics3Block);
    EXPECT_EQ(ChooseSaveTarget(song, true), LyricsSaveTarget::RemoveLyrics3Block);
    song.useLyrics3 = false;
    EXPECT_EQ(ChooseSaveTarget(song, true), LyricsSaveTarget::LyricsFile);
    song.useLyrics3 = true;
    song.path = "/m/a.wav";
    EXPECT_EQ(ChooseSaveTarget(song, false), LyricsSaveTarget::LyricsFile);
    song.path = "/m/a.zip";
    song.memberName = "b.mp3";
    EXPECT_EQ(ChooseSaveTarget(song, false), LyricsSaveTarget::LyricsFile);
}

TEST_F(LyricsStoreFixture, SideFileRoundTripDropsOnlyThePlaceholder) {
    LyricsSong song = SongFile("song.mp3", {}, false);
    const Lines lines{"@Title=t", "[--:--:--]plain", "", "[00:02:50]timed"};
    const LyricsSaveResult saved = SaveLyricsLines(song, lines);
    ASSERT_TRUE(saved.saved);
    EXPECT_EQ(saved.lyricsMark, kLyricsMark);
    EXPECT_EQ(TextOf(dir.file("song.txt")), "@Title=t\nplain\n\n[00:02:50]timed\n");
    EXPECT_EQ(saved.text, TextOf(dir.file("song.txt")));
    EXPECT_EQ(LoadLyricsLines(song), (Lines{"@Title=t", "plain", "", "[00:02:50]timed"}));
    // An existing ".lrc" file is the one rewritten; no ".txt" appears.
    fs::remove(dir.file("song.txt"));
    velk::test::writeFileBytes(dir.file("song.lrc"), velk::test::text("old\r\n"));
    ASSERT_TRUE(SaveLyricsLines(song, {"[00:00:01]new"}).saved);
    EXPECT_EQ(TextOf(dir.file("song.lrc")), "[00:00:01]new\n");
    EXPECT_FALSE(fs::exists(dir.file("song.txt")));
    // Japanese text goes out as Shift-JIS and comes back the same.
    ASSERT_TRUE(SaveLyricsLines(song, {"[00:00:01]歌詞"}).saved);
    EXPECT_EQ(TextOf(dir.file("song.lrc")), "[00:00:01]\x89\xcc\x8e\x8c\n");
    EXPECT_EQ(LoadLyricsLines(song), (Lines{"[00:00:01]歌詞"}));
}

TEST_F(LyricsStoreFixture, ReadOnlySideFileIsRefusedAndKept) {
    LyricsSong song = SongFile("song.mp3", {}, false);
    const std::string side = dir.file("song.txt");
    velk::test::writeFileBytes(side, velk::test::text("kept\n"));
    fs::permissions(side, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(SaveLyricsLines(song, {"new"}).saved);
    EXPECT_EQ(TextOf(side), "kept\n");
    // Nothing is left behind in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST_F(LyricsStoreFixture, Lyrics3BlockRoundTripKeepsTheAudioAndTheOtherFields) {
    LyricsSong song = SongFile("song.mp3", velk::test::lyrics3("[00:01:00]old\r\n") +
                                               velk::test::id3v1("Title", "Artist"));
    ASSERT_NE(song.fileType & VELK_TYPE_LYRICS3, 0);
    EXPECT_EQ(LoadLyricsLines(song), (Lines{"[00:01:00]old"}));
    const Lines lines{"[--:--:--]first", "[00:03:04]second"};
    const LyricsSaveResult saved = SaveLyricsLines(song, lines);
    ASSERT_TRUE(saved.saved);
    EXPECT_EQ(saved.text, "first\n[00:03:04]second\n");
    Refresh(song);
    EXPECT_EQ(LoadLyricsLines(song), (Lines{"first", "[00:03:04]second"}));
    const Bytes bytes = readFileBytes(song.path);
    ASSERT_GE(bytes.size(), audio.size());
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), bytes.begin()));
    Id3Tag tag{};
    ASSERT_EQ(velk_getFileTag(song.path.c_str(), &tag), 1);
    EXPECT_EQ(std::string(tag.artist, strnlen(tag.artist, sizeof tag.artist)), "Artist");
    EXPECT_FALSE(fs::exists(dir.file("song.txt")));
}

TEST_F(LyricsStoreFixture, Lyrics3BlockIsMadeForASongWithoutOne) {
    LyricsSong song = SongFile("bare.mp3", {});
    ASSERT_TRUE(SaveLyricsLines(song, {"[00:00:05]a"}).saved);
    Refresh(song);
    EXPECT_NE(song.fileType & VELK_TYPE_LYRICS3, 0);
    EXPECT_EQ(LoadLyricsLines(song), (Lines{"[00:00:05]a"}));
}

TEST_F(LyricsStoreFixture, EmptyListRemovesTheBlockAndTheMarkFollowsTheSideFile) {
    LyricsSong song = SongFile("song.mp3", velk::test::lyrics3("[00:01:00]x\r\n"));
    LyricsSaveResult saved = SaveLyricsLines(song, {});
    ASSERT_TRUE(saved.saved);
    EXPECT_EQ(saved.lyricsMark, "");
    EXPECT_EQ(saved.text, "");
    // The audio stays, with the blank ID3v1 tag the engine closes a rewritten tail with.
    const Bytes bytes = readFileBytes(song.path);
    EXPECT_EQ(bytes.size(), audio.size() + 128);
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), bytes.begin()));
    EXPECT_EQ(velk_getFileType(song.path.c_str()) & VELK_TYPE_LYRICS3, 0);
    // Removing again is no failure; a side file keeps the mark.
    velk::test::writeFileBytes(dir.file("song.kra"), velk::test::text("x\n"));
    saved = SaveLyricsLines(song, {});
    EXPECT_TRUE(saved.saved);
    EXPECT_EQ(saved.lyricsMark, kLyricsMark);
}

TEST_F(LyricsStoreFixture, ReadOnlySongIsRefusedWithItsBytesUnchanged) {
    LyricsSong song = SongFile("song.mp3", velk::test::lyrics3("[00:01:00]x\r\n"));
    const Bytes before = readFileBytes(song.path);
    fs::permissions(song.path, fs::perms::owner_read);
    EXPECT_FALSE(SaveLyricsLines(song, {"[00:00:01]y"}).saved);
    EXPECT_FALSE(SaveLyricsLines(song, {}).saved);
    EXPECT_EQ(readFileBytes(song.path), before);
}

TEST_F(LyricsStoreFixture, TooLongForTheBlockIsRefusedNotCut) {
    LyricsSong song = SongFile("song.mp3", velk::test::lyrics3("[00:01:00]x\r\n"));
    const Bytes before = readFileBytes(song.path);
    EXPECT_FALSE(SaveLyricsLines(song, Lines(7000, "[00:00:01]long")).saved);
    EXPECT_EQ(readFileBytes(song.path), before);
}

TEST_F(LyricsStoreFixture, MissingFolderFailsWithoutATemporaryLeft) {
    EXPECT_FALSE(ReplaceFileContent(dir.file("none/song.txt"), "x"));
    EXPECT_TRUE(ReplaceFileContent(dir.file("new.txt"), "x"));
    EXPECT_EQ(TextOf(dir.file("new.txt")), "x");
    EXPECT_FALSE(IsReadOnlyFile(dir.file("new.txt")));
}

}  // namespace
}  // namespace velk::app
