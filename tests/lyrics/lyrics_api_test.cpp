// The lyrics entry points: loading, settings, the current row through the clock, writing back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine.h"
#include "lyrics/lyrics_files.h"
#include "support/temp_dir.h"
#include "velk.h"

namespace velk {
namespace {

using test::Bytes;

static_assert(sizeof(LyricsText) == 644, "the text record of velk_getCurrentLyricsText");

std::vector<LyricsEntry>* collected = nullptr;
void collectRow(const LyricsEntry* entry) {
    collected->push_back(*entry);
}

class LyricsApiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        velk_init();
        velk_clearLyrics();
        velk_setKaraokeUse(0);
        velk_setLyricsTime(kTimeNormal);
        velk_setNotTagLyricsLine(1);
        velk_setLyricsNextAdjustTime(0);
        velk_useAtMarkTag(0);
        velk_setLyricsOffset(0);
        velk_setLyricsTimeRatio(1.0);
        velk_setLyrics3Use(0);
        Engine::instance().lyrics().setPlayClock([this] { return clock; });
        clock = PlayClock{true, 0, 44100, 1, 0};
    }
    void TearDown() override {
        Engine::instance().lyrics().setPlayClock(nullptr);
        velk_clearLyrics();
        velk_free();
    }

    std::string writeText(const std::string& text, const std::string& name = "song.txt") {
        const std::string path = dir.file(name);
        test::writeFileBytes(path, test::bytesOf(text));
        return path;
    }
    void load(const std::string& text) {
        ASSERT_EQ(velk_loadLyricsFile(writeText(text).c_str()), 1);
    }
    void playAt(int64_t ms) { clock.playedSamples = ms * 44100 / 1000; }
    std::vector<LyricsEntry> rows() {
        std::vector<LyricsEntry> all;
        collected = &all;
        velk_enumLyricsLines(collectRow);
        collected = nullptr;
        return all;
    }
    std::string songFile(const std::string& lyr = "") {
        Bytes bytes = test::silentAudio(40);
        if (!lyr.empty()) bytes = test::joined(bytes, test::rawLyrics3(test::field("LYR", lyr)));
        bytes = test::joined(bytes, test::id3v1WithTitle("Song"));
        const std::string path = dir.file("song.mp3");
        test::writeFileBytes(path, bytes);
        return path;
    }

    test::TempDir dir;
    PlayClock clock;
};

TEST_F(LyricsApiTest, EmptyNameOnlyClears) {
    load("[00:01:00]a");
    EXPECT_EQ(velk_getLyricsCount(), 2);
    EXPECT_EQ(velk_loadLyricsFile(""), 1);
    EXPECT_EQ(velk_getLyricsCount(), 0);
    EXPECT_EQ(velk_loadLyricsFile(nullptr), 1);
}

TEST_F(LyricsApiTest, MissingFileIsErrorEight) {
    load("[00:01:00]a");
    EXPECT_EQ(velk_loadLyricsFile(dir.file("absent.txt").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 8);
    EXPECT_EQ(velk_getLyricsCount(), 0);
}

TEST_F(LyricsApiTest, StatusAndKaraokeFlag) {
    load("plain");
    EXPECT_EQ(velk_getLyricsStatus(), 0);
    load("[00:01:00]ka[00:01:50]ra[00:02:00]o");
    EXPECT_EQ(velk_getLyricsStatus(), 1);
    EXPECT_EQ(velk_hasKaraokeLyrics(), 0);
    velk_setKaraokeUse(1);
    load("[00:01:00]ka[00:01:50]ra[00:02:00]o");
    EXPECT_EQ(velk_getLyricsStatus(), 2);
    EXPECT_EQ(velk_hasKaraokeLyrics(), 1);
    EXPECT_EQ(velk_getLyricsCount(), 4);
}

TEST_F(LyricsApiTest, Utf8FileKeepsItsBytesWithoutTheMark) {
    load("\xEF\xBB\xBF[00:01:00]\xE3\x81\x82");
    const auto all = rows();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_STREQ(all[1].text, "\xE3\x81\x82");
    EXPECT_EQ(all[1].time, 1000);
    EXPECT_EQ(Engine::instance().lyrics().table.encoding(), TextEncoding::Utf8);
}

TEST_F(LyricsApiTest, FileLinesAreReadWithTheLineLength) {
    load(std::string(100 * 1024, 'x'));
    EXPECT_EQ(velk_getLyricsCount(), 1000);  // 807 lines of 127 bytes, two rows each
    velk_setKaraokeUse(1);
    load(std::string(100 * 1024, 'x'));
    EXPECT_EQ(velk_getLyricsCount(), 2 * ((100 * 1024 + 1022) / 1023));
}

TEST_F(LyricsApiTest, LargeAndBinaryFiles) {
    std::string many;
    for (int i = 0; i < 5000; ++i) many += "[00:00:10]line\n";
    load(many);
    EXPECT_EQ(velk_getLyricsCount(), 1000);
    std::string binary;
    for (int i = 0; i < 70000; ++i) binary.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
    load(binary);
    EXPECT_LE(velk_getLyricsCount(), 1000);
    playAt(5000);
    LyricsView view;
    EXPECT_EQ(velk_getCurrentLyricsView(&view), 1);
}

TEST_F(LyricsApiTest, ViewNeedsLyricsAndAStream) {
    LyricsView view;
    EXPECT_EQ(velk_getCurrentLyricsView(&view), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 9);
    load("[00:01:00]a");
    clock.streamOpen = false;
    EXPECT_EQ(velk_getCurrentLyricsView(&view), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 9);
    EXPECT_EQ(velk_getCurrentLyrics(), -1);
    clock.streamOpen = true;
    playAt(1000);
    EXPECT_EQ(velk_getCurrentLyricsView(&view), 1);
    EXPECT_EQ(velk_getCurrentLyrics(), 1);
}

TEST_F(LyricsApiTest, CurrentRowFollowsTheClock) {
    velk_setKaraokeUse(1);
    load("[00:01:00]one\n[00:03:00]th[00:03:50]r[00:04:00]ee\n[00:05:00]four");
    playAt(999);
    EXPECT_EQ(velk_getCurrentLyrics(), -1);
    playAt(3500);
    LyricsView view;
    ASSERT_EQ(velk_getCurrentLyricsView(&view), 1);
    EXPECT_STREQ(view.segmentText, "r");
    EXPECT_STREQ(view.sungThrough, "thr");
    EXPECT_EQ(view.untilNext, 500u);
    LyricsText text;
    ASSERT_EQ(velk_getCurrentLyricsText(&text), 1);
    EXPECT_STREQ(text.previous, "one");
    EXPECT_STREQ(text.current, "three");
    EXPECT_STREQ(text.next, "four");
    EXPECT_EQ(text.untilNext, 500u);
}

TEST_F(LyricsApiTest, OffsetRatioAndTimeTypeSetters) {
    load("[00:10:00]a\n[00:20:00]b");
    playAt(10400);
    velk_setLyricsOffset(500);
    EXPECT_EQ(velk_getCurrentLyrics(), -1);
    velk_setLyricsOffset(0);
    EXPECT_EQ(velk_getCurrentLyrics(), 1);
    velk_setLyricsTime(kTimeRatio);
    velk_setLyricsTimeRatio(2.0);
    EXPECT_EQ(velk_getCurrentLyrics(), 3);
    velk_setLyricsTime(kTimeWinAmp);  // 10400 ms read as 10351
    EXPECT_EQ(velk_getCurrentLyrics(), 1);
    playAt(10030);
    EXPECT_EQ(velk_getCurrentLyrics(), -1);
}

TEST_F(LyricsApiTest, OffsetHeaderWithAtMarkTagsIsNeverCurrent) {
    velk_useAtMarkTag(1);
    load("@Offset=500\n[00:01:00]a\n[00:02:00]b");
    LyricsHeader header;
    ASSERT_EQ(velk_getKaraokeInfo(&header), 1);
    EXPECT_EQ(header.present, 1u);
    EXPECT_EQ(header.offset, 500);
    EXPECT_EQ(header.offsetLine, 0u);
    const auto all = rows();
    playAt(1400);  // 900 in the lyrics' time: before "a", back at the header line's lead-in
    EXPECT_EQ(velk_getCurrentLyrics(), 0);
    playAt(1600);
    EXPECT_EQ(velk_getCurrentLyrics(), 3);
    for (int64_t ms = 0; ms < 4000; ms += 100) {
        playAt(ms);
        const int row = velk_getCurrentLyrics();
        if (row >= 0) {
            EXPECT_EQ(all[static_cast<size_t>(row)].isHeader, 0u) << ms;
        }
    }
    velk_useAtMarkTag(0);
    playAt(1400);
    EXPECT_EQ(velk_getCurrentLyrics(), 3);
}

TEST_F(LyricsApiTest, NextAdjustOnTheLoadedTable) {
    load("[00:05:00]a\n[00:10:00]b\n[00:10:20]c");
    velk_setLyricsNextAdjustTime(300);
    const auto all = rows();
    EXPECT_EQ(all[2].time, 9700);
    EXPECT_EQ(all[4].time, 10200);
    playAt(9800);
    EXPECT_EQ(velk_getCurrentLyrics(), 2);
}

TEST_F(LyricsApiTest, EnumNeedsRows) {
    EXPECT_EQ(velk_enumLyricsLines(collectRow), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 9);
}

TEST_F(LyricsApiTest, SaveFileThenLoadGivesTheSameRows) {
    velk_setKaraokeUse(1);
    load("@Title=t\n[00:01:00]ka[00:01:50]ra\nuntimed\n[01:02:30]end");
    const auto before = rows();
    const std::string saved = dir.file("saved.lrc");
    ASSERT_EQ(velk_saveLyricsFile(saved.c_str()), 1);
    EXPECT_EQ(test::lastBytes(test::readFileBytes(saved), 1), "\n");
    ASSERT_EQ(velk_loadLyricsFile(saved.c_str()), 1);
    const auto after = rows();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(std::memcmp(&before[i], &after[i], sizeof(LyricsEntry)), 0) << i;
    }
}

TEST_F(LyricsApiTest, SaveFileNeedsRowsAndAStream) {
    EXPECT_EQ(velk_saveLyricsFile(dir.file("x.lrc").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 9);
    load("[00:01:00]a");
    EXPECT_EQ(velk_saveLyricsFile(dir.file("no/such/folder.lrc").c_str()), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 1);
}

TEST_F(LyricsApiTest, FramesConversionGoesAndComesBack) {
    load("[00:10:00]a\n[01:00:00]b");
    ASSERT_EQ(velk_adjustLyricsToFrames(), 1);
    EXPECT_EQ(rows()[1].time, 9953);
    ASSERT_EQ(velk_adjustLyricsFromFrames(), 1);
    EXPECT_NEAR(rows()[1].time, 10000, 2);
    EXPECT_NEAR(rows()[3].time, 60000, 2);
    velk_clearLyrics();
    EXPECT_EQ(velk_adjustLyricsToFrames(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 9);
}

TEST_F(LyricsApiTest, OpenLoadsTheLyrics3FieldOnlyWhenAsked) {
    const std::string path = songFile("[00:01:00]from tag\r\n[00:02:00]second");
    load("[00:03:00]side file");
    InputInfo info{};
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_STREQ(rows()[1].text, "side file");
    velk_close();
    velk_setLyrics3Use(2);  // only 1 is on
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    EXPECT_STREQ(rows()[1].text, "side file");
    velk_setLyrics3Use(1);
    ASSERT_EQ(velk_open(path.c_str(), &info), 1);
    ASSERT_EQ(velk_getLyricsCount(), 4);
    EXPECT_STREQ(rows()[1].text, "from tag");
    EXPECT_STREQ(info.songName, "Song");
    velk_close();
}

TEST_F(LyricsApiTest, ReloadNeedsAnOpenFile) {
    EXPECT_EQ(velk_reloadLyrics(), 0);
    EXPECT_EQ(velk_getLastErrorNo(), 2);
    const std::string path = songFile("[00:01:00]x");
    ASSERT_EQ(velk_open(path.c_str(), nullptr), 1);
    ASSERT_EQ(velk_reloadLyrics(), 1);
    EXPECT_STREQ(rows()[1].text, "x");
    velk_close();
}

TEST_F(LyricsApiTest, SaveToTagThenReloadKeepsTheLines) {
    velk_setKaraokeUse(1);
    const std::string path = songFile();
    load("[00:01:00]ka[00:01:50]ra\n[00:03:00]two\n[00:04:00]three");
    ASSERT_EQ(velk_saveLyricsToTag(path.c_str()), 1);
    auto tag = test::emptyLyrics3Tag();
    ASSERT_EQ(velk_getFileLyricsInfo(path.c_str(), tag.get()), 1);
    EXPECT_EQ(tag->ind[0], '1');
    EXPECT_EQ(tag->ind[1], '1');
    EXPECT_STREQ(tag->lyr,
                 "[00:01:00][00:01:00]ka[00:01:50]ra[00:03:00]\r\n[00:03:00]two[00:04:00]\r\n"
                 "[00:04:00]three");
    EXPECT_EQ(test::lastBytes(test::readFileBytes(path), 128).substr(0, 33),
              "TAGSong" + std::string(26, ' '));

    ASSERT_EQ(velk_open(path.c_str(), nullptr), 1);
    ASSERT_EQ(velk_reloadLyrics(), 1);
    // The same sung segments at the same times, each line closed by an empty segment.
    std::vector<std::pair<int32_t, std::string>> sung;
    for (const LyricsEntry& row : rows()) {
        if (row.length > 0) sung.emplace_back(row.time, row.text);
    }
    const std::vector<std::pair<int32_t, std::string>> expected = {
        {1000, "ka"}, {1500, "ra"}, {3000, "two"}, {4000, "three"}};
    EXPECT_EQ(sung, expected);
    playAt(1600);
    LyricsView view;
    ASSERT_EQ(velk_getCurrentLyricsView(&view), 1);
    EXPECT_STREQ(view.current, "kara");
    EXPECT_STREQ(view.next, "two");
    velk_close();
}

TEST_F(LyricsApiTest, SaveToTagDoesNothingWithoutRows) {
    const std::string path = songFile();
    const Bytes before = test::readFileBytes(path);
    EXPECT_EQ(velk_saveLyricsToTag(path.c_str()), 0);
    EXPECT_EQ(test::readFileBytes(path), before);
}

TEST_F(LyricsApiTest, SaveToTagKeepsTheBlocksOtherFields) {
    const std::string path = songFile();
    auto tag = test::emptyLyrics3Tag();
    std::strcpy(tag->inf, "kept info");
    std::strcpy(tag->ett, "kept title");
    std::strcpy(tag->lyr, "old lyrics");
    ASSERT_EQ(velk_writeFileLyrics(path.c_str(), tag.get()), 1);
    load("[00:01:00]new");
    ASSERT_EQ(velk_saveLyricsToTag(path.c_str()), 1);
    auto back = test::emptyLyrics3Tag();
    ASSERT_EQ(velk_getFileLyricsInfo(path.c_str(), back.get()), 1);
    EXPECT_STREQ(back->inf, "kept info");
    EXPECT_STREQ(back->ett, "kept title");
    EXPECT_STREQ(back->lyr, "[00:01:00][00:01:00]new");
}

TEST_F(LyricsApiTest, OnlyOneSwitchesKaraokeOn) {
    velk_setKaraokeUse(2);
    load("[00:01:00]ka[00:01:50]ra");
    EXPECT_EQ(velk_hasKaraokeLyrics(), 0);
    velk_setKaraokeUse(1);
    load("[00:01:00]ka[00:01:50]ra");
    EXPECT_EQ(velk_hasKaraokeLyrics(), 1);
}

TEST_F(LyricsApiTest, UntaggedRowsTakePartOnlyWhenAsked) {
    load("[00:01:00]a\nplain\n[00:05:00]b");
    playAt(3000);
    LyricsView view;
    ASSERT_EQ(velk_getCurrentLyricsView(&view), 1);
    EXPECT_STREQ(view.next, "plain");
    velk_setNotTagLyricsLine(0);
    ASSERT_EQ(velk_getCurrentLyricsView(&view), 1);
    EXPECT_STREQ(view.next, "");
    EXPECT_STREQ(view.nextNext, "b");
}

TEST_F(LyricsApiTest, EnginePositionDrivesTheClockWithoutASource) {
    Engine::instance().lyrics().setPlayClock(nullptr);
    load("[00:00:00]start\n[00:05:00]later");
    LyricsView view;
    EXPECT_EQ(velk_getCurrentLyricsView(&view), 0);  // no stream open
    EXPECT_EQ(velk_getLastErrorNo(), 9);
    const std::string path = songFile();
    ASSERT_EQ(velk_open(path.c_str(), nullptr), 1);
    ASSERT_EQ(velk_getCurrentLyricsView(&view), 1);  // stopped at the start
    EXPECT_STREQ(view.current, "start");
    EXPECT_EQ(view.untilNext, 5000u);
    velk_close();
}

TEST_F(LyricsApiTest, TagTextBreakPairsFromTheBlock) {
    const std::string path = songFile("[00:01:00]a\r\r[00:02:00]b\n\r[00:03:00]c\n\n\nd");
    ASSERT_EQ(velk_open(path.c_str(), nullptr), 1);
    ASSERT_EQ(velk_reloadLyrics(), 1);
    const auto all = rows();
    ASSERT_EQ(all.size(), 10u);
    EXPECT_STREQ(all[3].text, "b");
    EXPECT_EQ(all[5].line, 2u);
    EXPECT_EQ(all[7].length, 0u);  // the one empty line
    EXPECT_EQ(all[9].line, 4u);
    EXPECT_STREQ(all[9].text, "d");
    velk_close();
}

TEST_F(LyricsApiTest, ExtremeLeadTimesSaturate) {
    load("[00:05:00]a\n[00:10:00]b\n[00:20:00]c");
    velk_setLyricsNextAdjustTime(INT32_MAX);
    velk_setLyricsNextAdjustTime(INT32_MIN);
    velk_setLyricsNextAdjustTime(INT32_MIN);
    EXPECT_EQ(velk_adjustLyricsToFrames(), 1);
    EXPECT_EQ(velk_adjustLyricsFromFrames(), 1);
    velk_setLyricsNextAdjustTime(INT32_MAX);
    load("[00:05:00]a\n[00:10:00]b");
    EXPECT_EQ(rows()[2].time, 10000);  // the gap never exceeds such a lead
    playAt(7000);
    EXPECT_EQ(velk_getCurrentLyrics(), 1);
}

}  // namespace
}  // namespace velk
