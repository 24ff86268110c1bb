// The lyrics line of the progress line: tags taken out, the sung part split off, and the whole
// cut to the terminal's width with the highlight kept balanced.
#include "cli/lyrics_line.h"

#include <gtest/gtest.h>

#include "cli/progress.h"

namespace velk::cli {
namespace {

TEST(LyricsLineTest, TagsAndHeadersAreNotShown) {
    EXPECT_EQ(lyricsDisplayText("歌[00:06:90]詞[00:07:30]は"), "歌詞は");
    EXPECT_EQ(lyricsDisplayText("[00:06:40]歌[00:06:90]詞"), "歌詞");
    EXPECT_EQ(lyricsDisplayText("[--:--:--]untimed"), "untimed");
    EXPECT_EQ(lyricsDisplayText("[ar:Some One]"), "");
    EXPECT_EQ(lyricsDisplayText("[1:2:345]x[00:01.50]y"), "xy");
    EXPECT_EQ(lyricsDisplayText("@Title=Velkaro demo"), "");
    EXPECT_EQ(lyricsDisplayText("a @ b"), "a @ b");
}

TEST(LyricsLineTest, BracketsThatAreNoTagsStay) {
    EXPECT_EQ(lyricsDisplayText("[Chorus] la"), "[Chorus] la");
    EXPECT_EQ(lyricsDisplayText("[00:01"), "[00:01");       // never closed
    EXPECT_EQ(lyricsDisplayText("[a:[00:01]b]"), "[a:b]");  // a tag inside brackets
    EXPECT_EQ(lyricsDisplayText("[:00]x"), "[:00]x");       // no name before the colon
    EXPECT_EQ(lyricsDisplayText("[ x:1]"), "[ x:1]");
    EXPECT_EQ(lyricsDisplayText("]["), "][");
}

TEST(LyricsLineTest, SungPartIsSplitOffWhenTheLineBeginsWithIt) {
    const auto spans = sungSpans("歌[00:06:90]詞[00:07:30]は", "歌[00:06:90]詞");
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].text, "歌詞");
    EXPECT_TRUE(spans[0].highlighted);
    EXPECT_EQ(spans[1].text, "は");
    EXPECT_FALSE(spans[1].highlighted);

    const auto whole = sungSpans("La la", "La la");
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_TRUE(whole[0].highlighted);

    const auto none = sungSpans("La la", "");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_FALSE(none[0].highlighted);

    const auto unrelated = sungSpans("La la", "Other");
    ASSERT_EQ(unrelated.size(), 1u);
    EXPECT_FALSE(unrelated[0].highlighted);

    EXPECT_TRUE(sungSpans("@Title=x", "@Title=x").empty());
}

TEST(LyricsLineTest, FitCutsAtTheWidthAndClosesTheHighlight) {
    const std::vector<Span> spans{{"00:06 / 00:12  ", false}, {"歌詞", true}, {"は", false}};
    EXPECT_EQ(fitSpans(spans, 100, false), "00:06 / 00:12  歌詞は");
    EXPECT_EQ(fitSpans(spans, 100, true), "00:06 / 00:12  \033[7m歌詞\033[27mは");
    EXPECT_EQ(fitSpans(spans, 18, true), "00:06 / 00:12  \033[7m歌\033[27m");
    EXPECT_EQ(fitSpans(spans, 16, true), "00:06 / 00:12  ");  // no room for a wide character
    EXPECT_EQ(fitSpans(spans, 5, true), "00:06");
    EXPECT_EQ(fitSpans(spans, 0, true), "");
    EXPECT_EQ(fitSpans({}, 10, true), "");
}

TEST(LyricsLineTest, LabelRoomLeavesTheBarAndTheLastColumn) {
    EXPECT_EQ(progressLabelColumns(80), 80 - 35 - 1);
    EXPECT_EQ(progressLabelColumns(20), 0);
}

}  // namespace
}  // namespace velk::cli
