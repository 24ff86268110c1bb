// The current row at a lyrics-clock time and the view around it.
#include "tags/lyrics_view.h"

#include <gtest/gtest.h>

#include <string>

#include "tags/lyrics_lines.h"

namespace velk {
namespace {

class LyricsViewTest : public ::testing::Test {
  protected:
    void load(const std::string& text) {
        table.load(splitTagText(text, TextEncoding::ShiftJis), settings, TextEncoding::ShiftJis);
    }
    int rowAt(int64_t t, int64_t lastReported = 0) {
        return findCurrentRow(table, settings, t, lastReported);
    }
    LyricsView viewAt(int64_t t) {
        LyricsView view;
        fillLyricsView(table, settings, rowAt(t), view);
        return view;
    }

    LyricsSettings settings;
    LyricsTable table;
};

const char kSong[] =
    "[00:01:00]one\n"
    "[00:02:00]two\n"
    "[00:03:00]th[00:03:50]r[00:04:00]ee\n"
    "[00:05:00]four\n"
    "[00:06:00]five";

TEST_F(LyricsViewTest, BeforeTheFirstRowThereIsNone) {
    load(kSong);
    EXPECT_EQ(rowAt(0), -1);
    EXPECT_EQ(rowAt(999), -1);
    const LyricsView view = viewAt(500);
    EXPECT_EQ(view.time, 0);
    EXPECT_EQ(view.segmentText[0], '\0');
    EXPECT_EQ(view.current[0], '\0');
}

TEST_F(LyricsViewTest, ExactlyAtARowsTimeThatRowIsCurrent) {
    load(kSong);
    EXPECT_EQ(rowAt(1000), 1);
    EXPECT_EQ(rowAt(1999), 1);
    EXPECT_EQ(rowAt(2000), 3);
}

TEST_F(LyricsViewTest, AfterTheLastRowTheLastRowStays) {
    load(kSong);
    const int last = static_cast<int>(table.rows().size()) - 1;
    EXPECT_EQ(rowAt(6000), last);
    EXPECT_EQ(rowAt(10'000'000), last);
    // The engine's reported position past the last row decides too.
    EXPECT_EQ(rowAt(0, 6000), last);
}

TEST_F(LyricsViewTest, KaraokeViewJoinsTheLinesAround) {
    settings.karaokeUse = true;
    load(kSong);
    const LyricsView view = viewAt(3600);
    EXPECT_EQ(view.time, 3500);
    EXPECT_EQ(view.line, 2u);
    EXPECT_EQ(view.segment, 2u);
    EXPECT_EQ(view.untilNext, 500u);
    EXPECT_STREQ(view.segmentText, "r");
    EXPECT_STREQ(view.sungBefore, "th");
    EXPECT_STREQ(view.sungThrough, "thr");
    EXPECT_STREQ(view.current, "three");
    EXPECT_STREQ(view.previous, "two");
    EXPECT_STREQ(view.previousPrevious, "one");
    EXPECT_STREQ(view.next, "four");
    EXPECT_STREQ(view.nextNext, "five");
}

TEST_F(LyricsViewTest, LinesBeyondTheTableAreEmpty) {
    load(kSong);
    const LyricsView first = viewAt(1000);
    EXPECT_STREQ(first.current, "one");
    EXPECT_EQ(first.previous[0], '\0');
    EXPECT_EQ(first.previousPrevious[0], '\0');
    const LyricsView last = viewAt(7000);
    EXPECT_STREQ(last.current, "five");
    EXPECT_EQ(last.next[0], '\0');
    EXPECT_EQ(last.untilNext, 0u);
}

TEST_F(LyricsViewTest, UntimedRowStepsBackToATimedRow) {
    load("[00:01:00]a\nuntimed\n[00:05:00]b");
    // The untimed row lies at 1000 like row 1; at 3000 the row before "b"'s lead-in is untimed.
    EXPECT_EQ(rowAt(3000), 1);
    settings.untaggedRows = false;
    EXPECT_EQ(rowAt(3000), 1);
}

TEST_F(LyricsViewTest, HiddenHeaderIsNeverCurrent) {
    settings.atMarkHeaders = true;
    load("[00:01:00]a\n@Offset=500");
    for (int64_t t : {0, 999, 1000, 5000, 100000}) {
        const int row = rowAt(t);
        if (row >= 0) {
            EXPECT_EQ(table.rows()[static_cast<size_t>(row)].isHeader, 0u) << t;
        }
    }
    EXPECT_EQ(rowAt(100000), 1);
}

TEST_F(LyricsViewTest, JoinedTextsAreCutOnCharacterBoundaries) {
    std::string line = "[00:01:00]";
    for (int i = 0; i < 10; ++i) line += "x" + std::string(20, 'y') + "[00:01:0" + "0]";
    settings.karaokeUse = true;
    load(line);
    const LyricsView view = viewAt(1000);
    EXPECT_EQ(std::string(view.current).size(), 127u);

    table.clear();
    settings.karaokeUse = false;
    std::string wide = "[00:01:00]";
    for (int i = 0; i < 60; ++i) wide += "\x83\x89";
    wide += "[00:01:00]\x83\x89";
    load(wide);  // the line cut at 127 bytes would land inside a character
    const LyricsView cut = viewAt(1000);
    EXPECT_EQ(std::string(cut.current).size() % 2, 0u);
}

}  // namespace
}  // namespace velk
