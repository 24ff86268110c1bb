#include "lyrics/core/lyrics_display.h"

#include <gtest/gtest.h>

#include <limits>

#include "lyrics/core/font_string.h"
#include "lyrics/core/lyrics_geometry.h"
#include "lyrics/core/lyrics_window_settings.h"

namespace velk::app {
namespace {

LyricsViewText View(int time, int line, int segment, int untilNext, const std::string& current,
                    const std::string& next = "", const std::string& nextNext = "") {
    LyricsViewText v;
    v.time = time;
    v.line = line;
    v.segment = segment;
    v.untilNext = untilNext;
    v.current = current;
    v.segmentText = current.empty() ? "" : current.substr(0, 1);
    v.sungBefore = "";
    v.sungThrough = v.segmentText;
    v.next = next;
    v.nextNext = nextNext;
    return v;
}

// The views the engine gives while the demo song plays from its start: the lead-in of the
// header lines, the first line, then line after line.
TEST(LyricsDisplay, TitleUntilTheFirstTimedLineThenSlotsMoveUpLineByLine) {
    LyricsDisplay d;
    d.Start("Velkaro / Velkaro demo");
    EXPECT_TRUE(d.TakeFitToTitle());
    EXPECT_FALSE(d.TakeFitToTitle());

    LyricsViewText leadIn = View(0, 3, 1, 500, "♪ ～ ♪", "ヴェルカロのうた");
    d.Update(true, 130, &leadIn);  // time 0: still the title
    EXPECT_TRUE(d.TitleMode());
    LyricsViewText emptySegment = View(500, 4, 0, 400, "");
    emptySegment.segmentText = "";
    d.Update(true, 130, &emptySegment);
    EXPECT_TRUE(d.TitleMode());

    LyricsViewText first = View(500, 4, 1, 400, "ヴェルカロのうた", "ひかるおとがまわる", "歌詞");
    d.Update(true, 130, &first);
    EXPECT_FALSE(d.TitleMode());
    EXPECT_EQ(d.Slots()[2], "ヴェルカロのうた");
    EXPECT_EQ(d.Slots()[3], "ひかるおとがまわる");
    EXPECT_EQ(d.Slots()[4], "歌詞");
    EXPECT_EQ(d.Slots()[1], "");
    EXPECT_EQ(d.SegmentDuration(), 400);
    EXPECT_EQ(d.Progress(), 0);

    d.Update(true, 130, &first);  // same segment: the counter runs on
    EXPECT_EQ(d.Progress(), 130);
    d.Update(false, 130, &first);  // paused: it stands
    EXPECT_EQ(d.Progress(), 130);

    LyricsViewText second = View(3200, 5, 1, 300, "ひかるおとがまわる", "歌詞");
    d.Update(true, 130, &second);
    EXPECT_EQ(d.Slots()[1], "ヴェルカロのうた");
    EXPECT_EQ(d.Progress(), 0);

    LyricsViewText fourth = View(9200, 7, 1, 400, "La la Velkaro");
    d.Update(true, 130, &fourth);  // two lines on: the shown current line goes to the top
    EXPECT_EQ(d.Slots()[0], "ひかるおとがまわる");
    EXPECT_EQ(d.Slots()[1], "");

    LyricsViewText back = View(500, 4, 1, 400, "ヴェルカロのうた");
    d.Update(true, 130, &back);  // a jump back empties the upper slots
    EXPECT_EQ(d.Slots()[0], "");
    EXPECT_EQ(d.Slots()[1], "");

    d.Update(true, 130, nullptr);  // no view: nothing changes but the counter
    EXPECT_EQ(d.Slots()[2], "ヴェルカロのうた");

    d.Stop();
    EXPECT_EQ(d.Title(), "");
    for (const auto& slot : d.Slots()) EXPECT_EQ(slot, "");
}

TEST(LyricsDisplay, ResetEmptiesTheSlotsUntilTheNextUpdate) {
    LyricsDisplay d;
    d.Start("t");
    LyricsViewText a = View(1000, 2, 1, 500, "a", "b", "c");
    d.Update(true, 130, &a);
    d.Reset();
    for (const auto& slot : d.Slots()) EXPECT_EQ(slot, "");
    EXPECT_EQ(d.SungThrough(), "");
    d.Update(false, 0, &a);  // the same line and segment as before the seek
    EXPECT_EQ(d.Slots()[2], "a");
    EXPECT_EQ(d.Slots()[1], "");
    EXPECT_EQ(d.SungThrough(), "a");
    EXPECT_EQ(d.SegmentDuration(), 500);
}

TEST(LyricsDisplay, SegmentChangesTakeTheSungTextsAndANegativeDurationCountsByItsSize) {
    LyricsDisplay d;
    d.Start("t");
    LyricsViewText v = View(500, 4, 1, 400, "ヴェルカロ");
    v.sungThrough = "ヴェ";
    d.Update(true, 130, &v);
    v.segment = 2;
    v.untilNext = -250;
    v.sungBefore = "ヴェ";
    v.sungThrough = "ヴェル";
    d.Update(true, 130, &v);
    EXPECT_EQ(d.SungBefore(), "ヴェ");
    EXPECT_EQ(d.SungThrough(), "ヴェル");
    EXPECT_EQ(d.SegmentDuration(), 250);
}

TEST(LyricsText, HeaderLinesVanishAndBracketedTagsAreCut) {
    EXPECT_EQ(ShownLyricsText("@Title=Velkaro demo"), "");
    EXPECT_EQ(ShownLyricsText("a@b"), "a@b");
    EXPECT_EQ(ShownLyricsText("ヴェ[00:00:90]ル[00:01:30]カ\r\n"), "ヴェルカ");
    EXPECT_EQ(ShownLyricsText("[00:00:50]la [x] la"), "la  la");
    EXPECT_EQ(ShownLyricsText("open [ only"), "open [ only");
    EXPECT_EQ(ShownLyricsText("close ] only"), "close ] only");
    EXPECT_EQ(ShownLyricsText("a]b[c]d"), "ac]d");  // a "]" before the "[" goes with it
    EXPECT_EQ(ShownLyricsText("[[x]]"), "]");
    EXPECT_EQ(ShownLyricsText(""), "");
}

TEST(LyricsText, LineSettingChoosesTheSlotsAndLeadingSpacesHideALine) {
    EXPECT_EQ(ShownSlots(5).first, 0);
    EXPECT_EQ(ShownSlots(4).first, 1);
    EXPECT_EQ(ShownSlots(3).first, 2);  // the current line is the top line
    EXPECT_EQ(ShownSlots(3).last, 4);
    EXPECT_EQ(ShownSlots(2).last, 3);
    EXPECT_EQ(ShownSlots(1).first, 2);
    EXPECT_EQ(ShownSlots(1).last, 2);
    EXPECT_EQ(ShownSlots(0).last, 2);
    EXPECT_EQ(ShownSlots(99).first, 0);
    EXPECT_TRUE(SlotIsDrawn("a b"));
    EXPECT_FALSE(SlotIsDrawn(" a"));
    EXPECT_FALSE(SlotIsDrawn(""));
    EXPECT_EQ(KaraokeProgressStep(1, 100), 130);
    EXPECT_EQ(KaraokeProgressStep(2, 95), 247);
}

TEST(FontString, DefaultsRoundTrip) {
    for (const char* text : {kDefaultLyricsTitleFont, kDefaultLyricsNormalFont}) {
        const auto font = ParseFontString(text);
        ASSERT_TRUE(font);
        EXPECT_EQ(FormatFontString(*font), text);
    }
    const auto title = ParseFontString(kDefaultLyricsTitleFont);
    EXPECT_EQ(title->height, -19);
    EXPECT_EQ(title->weight, 700);
    EXPECT_EQ(title->charSet, 128);
    EXPECT_EQ(title->pitchAndFamily, 49);
    EXPECT_EQ(title->face, "ＭＳ ゴシック");
}

TEST(FontString, DamagedStringsAreRefusedOrHeldInRange) {
    EXPECT_FALSE(ParseFontString(""));
    EXPECT_FALSE(ParseFontString("-19|0|0|0|700|0|0|0|128|3|2|1|49"));     // no face field
    EXPECT_FALSE(ParseFontString("-19|0|0|0|700|0|0|0|128|3|2|1|"));       // too few numbers
    EXPECT_FALSE(ParseFontString("-19|0|0|x|700|0|0|0|128|3|2|1|49|f|"));  // not a number
    EXPECT_FALSE(ParseFontString("-19||0|0|700|0|0|0|128|3|2|1|49|f|"));   // empty number
    EXPECT_FALSE(ParseFontString("1 |0|0|0|700|0|0|0|128|3|2|1|49|f|"));

    const auto huge =
        ParseFontString("-99999999999999999999999|4294967296|0|0|700|300|-5|1|128|3|2|1|49|f|");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->height, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(huge->width, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(huge->italic, 255);
    EXPECT_EQ(huge->underline, 0);

    const auto noFace = ParseFontString("-16|0|0|0|400|0|0|0|128|3|2|1|49||");
    ASSERT_TRUE(noFace);
    EXPECT_EQ(noFace->face, "");
    EXPECT_EQ(FormatFontString(*noFace), "-16|0|0|0|400|0|0|0|128|3|2|1|49||");

    LogicalFont barred;
    barred.face = "a|b";
    EXPECT_EQ(ParseFontString(FormatFontString(barred))->face, "ab");
}

TEST(LyricsGeometry, AutoSizeOnlyGrowsExceptTheWidthFromTheTitle) {
    AutoSizeInput in;
    in.client = {300, 200};
    in.lineHeight = 20;
    in.lineSetting = 5;
    EXPECT_EQ(AutoSizedClient(in).height, 200);  // 5 × 20 + 20 fits already
    in.lineHeight = 40;
    EXPECT_EQ(AutoSizedClient(in).height, 220);
    in.widestSlotWidth = 100;
    EXPECT_EQ(AutoSizedClient(in).width, 300);  // never narrower
    in.widestSlotWidth = 400;
    EXPECT_EQ(AutoSizedClient(in).width, 420);

    in.widestSlotWidth = 0;
    in.titleMode = true;
    in.titleWidth = 120;
    EXPECT_EQ(AutoSizedClient(in).width, 300);
    in.fitToTitle = true;
    EXPECT_EQ(AutoSizedClient(in).width, 140);  // exactly the title, once
}

TEST(LyricsGeometry, DraggingSnapsWithinThirtyPixelsWhenMovingTowardsAnEdge) {
    const Rect work{0, 0, 1000, 700};
    const Rect nearTop{100, 20, 300, 120};
    EXPECT_EQ(Snapped(nearTop, work, 0, -1).top, 0);
    EXPECT_EQ(Snapped(nearTop, work, 0, -1).bottom, 100);
    EXPECT_EQ(Snapped(nearTop, work, 0, 1).top, 20);  // moving away: no snap
    EXPECT_EQ(Snapped(Rect{100, 30, 300, 130}, work, 0, -1).top, 0);
    EXPECT_EQ(Snapped(Rect{100, 31, 300, 131}, work, 0, -1).top, 31);
    EXPECT_EQ(Snapped(Rect{30, 300, 230, 400}, work, -2, 0).left, 0);
    EXPECT_EQ(Snapped(Rect{31, 300, 231, 400}, work, -2, 0).left, 31);
    EXPECT_EQ(Snapped(Rect{100, 570, 300, 670}, work, 0, 3).bottom, 700);
    EXPECT_EQ(Snapped(Rect{100, 569, 300, 669}, work, 0, 3).bottom, 669);
    EXPECT_EQ(Snapped(Rect{770, 300, 970, 400}, work, 1, 0).right, 1000);
    EXPECT_EQ(Snapped(Rect{769, 300, 969, 400}, work, 1, 0).right, 969);
}

TEST(LyricsGeometry, KeptInsideMovesWithoutResizing) {
    const Rect work{0, 30, 1000, 700};
    const Rect r = KeptInside(Rect{900, 0, 1100, 100}, work);
    EXPECT_EQ(r.left, 800);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
    const Rect wide = KeptInside(Rect{-50, 40, 1150, 80}, work);
    EXPECT_EQ(wide.left, 0);  // too wide: the left edge shows
}

TEST(LyricsGeometry, WipeFollowsTheProgressThroughTheSegment) {
    EXPECT_EQ(WipeRight(10, 40, 20, 0, 400), 50);
    EXPECT_EQ(WipeRight(10, 40, 20, 200, 400), 60);
    EXPECT_EQ(WipeRight(10, 40, 20, 400, 400), 70);
    EXPECT_EQ(WipeRight(10, 40, 20, 900, 400), 70);  // never past the segment
    EXPECT_EQ(WipeRight(10, 40, 20, 100, 0), 70);    // last segment: sung whole
    EXPECT_EQ(WipeRight(0, 0, 2000000, 2000000000, 2100000000), 1904761);
}

}  // namespace
}  // namespace velk::app
