// Loading the lyrics table: time tags, karaoke segments, lead-in rows, limits.
#include "tags/lyrics_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tags/lyrics_lines.h"

namespace velk {
namespace {

LyricsTable loaded(const std::string& text, const LyricsSettings& settings = {}) {
    LyricsTable table;
    table.load(splitTagText(text, TextEncoding::ShiftJis), settings, TextEncoding::ShiftJis);
    return table;
}

LyricsSettings karaoke() {
    LyricsSettings settings;
    settings.karaokeUse = true;
    return settings;
}

std::string text(const LyricsEntry& row) {
    return std::string(row.text, row.length);
}

TEST(LyricsTable, ShortTagGivesATimedRow) {
    const LyricsTable table = loaded("[1:2]abc");
    ASSERT_EQ(table.rows().size(), 2u);
    EXPECT_EQ(table.rows()[0].segment, 0u);
    EXPECT_EQ(table.rows()[0].timed, 1u);
    EXPECT_EQ(table.rows()[0].time, 62000);
    EXPECT_EQ(table.rows()[1].segment, 1u);
    EXPECT_EQ(table.rows()[1].time, 62000);
    EXPECT_EQ(table.rows()[1].timed, 1u);
    EXPECT_EQ(text(table.rows()[1]), "abc");
    EXPECT_TRUE(table.timeTagsPresent());
}

TEST(LyricsTable, DotSeparatorIsText) {
    const LyricsTable table = loaded("[00:12.34]abc");
    ASSERT_EQ(table.rows().size(), 2u);
    EXPECT_EQ(table.rows()[0].timed, 0u);
    EXPECT_EQ(table.rows()[1].timed, 0u);
    EXPECT_EQ(table.rows()[1].time, 0);
    EXPECT_EQ(text(table.rows()[1]), "[00:12.34]abc");
    EXPECT_FALSE(table.timeTagsPresent());
}

TEST(LyricsTable, KaraokeSegmentsOnOneLine) {
    const LyricsTable table = loaded("[00:01:00]ka[00:01:50]ra[00:02:00]o", karaoke());
    ASSERT_EQ(table.rows().size(), 4u);
    const int32_t times[] = {1000, 1000, 1500, 2000};
    const char* texts[] = {"", "ka", "ra", "o"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(table.rows()[i].time, times[i]);
        EXPECT_EQ(table.rows()[i].segment, i);
        EXPECT_EQ(table.rows()[i].line, 0u);
        EXPECT_EQ(text(table.rows()[i]), texts[i]);
    }
    EXPECT_TRUE(table.karaokeSegmentsPresent());
    EXPECT_EQ(table.segmentsPerLine().at(0), 3u);
}

TEST(LyricsTable, WithoutKaraokeInnerTagsStayText) {
    const LyricsTable table = loaded("[00:01:00]ka[00:01:50]ra");
    ASSERT_EQ(table.rows().size(), 2u);
    EXPECT_EQ(text(table.rows()[1]), "ka[00:01:50]ra");
    EXPECT_FALSE(table.karaokeSegmentsPresent());
}

TEST(LyricsTable, TagAfterADoubleByteCharacterIsOneBoundary) {
    // "ラーメン" ends in bytes that are not a tag; the tag after it starts one segment.
    const LyricsTable table = loaded("\x83\x89\x81\x5B\x83\x81\x83\x93[00:01:00]x", karaoke());
    ASSERT_EQ(table.rows().size(), 3u);
    EXPECT_EQ(text(table.rows()[1]), "\x83\x89\x81\x5B\x83\x81\x83\x93");
    EXPECT_EQ(table.rows()[1].time, 0);
    EXPECT_EQ(table.rows()[1].timed, 1u);
    EXPECT_EQ(text(table.rows()[2]), "x");
    EXPECT_EQ(table.rows()[2].time, 1000);
    EXPECT_TRUE(table.karaokeSegmentsPresent());
    EXPECT_FALSE(table.timeTagsPresent());
}

TEST(LyricsTable, UntimedLinesTakeThePreviousTime) {
    const LyricsTable table = loaded("[00:05:00]a\nplain\n[00:09:00]b");
    ASSERT_EQ(table.rows().size(), 6u);
    EXPECT_EQ(table.rows()[2].timed, 0u);  // lead-in of the untimed line
    EXPECT_EQ(table.rows()[3].timed, 0u);
    EXPECT_EQ(table.rows()[3].time, 5000);
    EXPECT_EQ(table.rows()[3].line, 1u);
    EXPECT_EQ(table.rows()[5].line, 2u);
}

TEST(LyricsTable, NextAdjustLeadsOnlyAfterALongGap) {
    LyricsSettings settings;
    settings.nextAdjustMs = 300;
    const LyricsTable longGap = loaded("[00:05:00]a\n[00:10:00]b", settings);
    EXPECT_EQ(longGap.rows()[2].time, 9700);
    EXPECT_EQ(longGap.rows()[3].time, 10000);
    const LyricsTable shortGap = loaded("[00:09:80]a\n[00:10:00]b", settings);
    EXPECT_EQ(shortGap.rows()[2].time, 10000);
}

TEST(LyricsTable, NextAdjustOnALoadedTableSkipsTheFirstAndLastRows) {
    LyricsTable table = loaded("[00:05:00]a\n[00:10:00]b\n[00:20:00]c");
    table.applyNextAdjust(300);
    EXPECT_EQ(table.rows()[0].time, 5000);
    EXPECT_EQ(table.rows()[2].time, 9700);
    EXPECT_EQ(table.rows()[4].time, 19700);
    EXPECT_EQ(table.rows()[5].time, 20000);
}

TEST(LyricsTable, StopsAtAThousandRows) {
    std::string many;
    for (int i = 0; i < 5000; ++i) many += "[00:01:00]line\n";
    const LyricsTable table = loaded(many);
    EXPECT_EQ(table.rows().size(), LyricsTable::kMaxRows);
    EXPECT_EQ(table.rows().back().line, 499u);
}

TEST(LyricsTable, LongLinesAreCutToTheLineLength) {
    const std::string longLine(5000, 'x');
    const LyricsTable plain = loaded(longLine);
    EXPECT_EQ(plain.rows()[1].length, 127u);
    const LyricsTable withKaraoke = loaded("[00:01:00]" + longLine, karaoke());
    // 1023 bytes of line, 10 of them the tag; the row keeps 127.
    EXPECT_EQ(withKaraoke.rows()[1].length, 127u);
}

TEST(LyricsTable, HeaderLinesAreMarked) {
    const LyricsTable table = loaded("@Offset=500\n[00:01:00]a");
    EXPECT_EQ(table.rows()[1].isHeader, 1u);
    EXPECT_EQ(table.rows()[1].timed, 0u);
    EXPECT_EQ(table.header().offset, 500);
    EXPECT_EQ(table.header().offsetLine, 0u);
    EXPECT_EQ(table.rows()[3].isHeader, 0u);
}

TEST(LyricsTable, UnknownAtLineIsPlainText) {
    const LyricsTable table = loaded("@Nothing=1");
    EXPECT_EQ(table.rows()[1].isHeader, 0u);
    EXPECT_EQ(table.header().present, 0u);
}

TEST(LyricsTable, BinaryBytesLoadWithoutHarm) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>((i * 37) & 0xFF));
    const LyricsTable table = loaded(bytes, karaoke());
    EXPECT_LE(table.rows().size(), LyricsTable::kMaxRows);
    for (const LyricsEntry& row : table.rows()) EXPECT_LT(row.length, 128u);
}

TEST(LyricsTable, ClearEmptiesEverything) {
    LyricsTable table = loaded("@Title=x\n[00:01:00]a[00:02:00]b", karaoke());
    table.setCurrentRow(2);
    table.clear();
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(table.header().present, 0u);
    EXPECT_EQ(table.header().titleLine, 0xFFFFFFFFu);
    EXPECT_FALSE(table.timeTagsPresent());
    EXPECT_FALSE(table.karaokeSegmentsPresent());
    EXPECT_EQ(table.currentRow(), -1);
}

TEST(LyricsLines, TagTextPairsCountAsOneBreak) {
    const auto lines = splitTagText("a\r\nb\n\rc\r\rd\n\ne\n\n\nf\r\n", TextEncoding::ShiftJis);
    const std::vector<std::string_view> expected = {"a", "b", "c", "d", "e", "", "f"};
    EXPECT_EQ(lines, expected);
}

TEST(LyricsLines, FileTextKeepsEmptyLinesAndSplitsLongOnes) {
    const auto lines = splitFileText("ab\r\n\ncdefg\nh", 3, TextEncoding::ShiftJis);
    const std::vector<std::string_view> expected = {"ab", "", "cde", "fg", "h"};
    EXPECT_EQ(lines, expected);
}

TEST(LyricsLines, FileTextCutKeepsDoubleByteCharactersWhole) {
    const auto lines = splitFileText("a\x83\x89\x83\x89", 2, TextEncoding::ShiftJis);
    const std::vector<std::string_view> expected = {"a", "\x83\x89", "\x83\x89"};
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace velk
