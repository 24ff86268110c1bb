#include <gtest/gtest.h>

#include "core/hotkey_match.h"
#include "core/speed_pitch.h"
#include "core/time_text.h"
#include "core/wake_match.h"

namespace velk::app {
namespace {

TEST(TimeText, SwitchesFormatAtTenMinutesAndOneHour) {
    EXPECT_EQ(FormatTime(0), "0:00");
    EXPECT_EQ(FormatTime(599), "9:59");
    EXPECT_EQ(FormatTime(600), "10:00");
    EXPECT_EQ(FormatTime(3599), "59:59");
    EXPECT_EQ(FormatTime(3600), "1:00:00");
    EXPECT_EQ(FormatTime(36000 + 61), "10:01:01");
}

TEST(TimeText, ElapsedOfTotalAndRemainingNeverNegative) {
    EXPECT_EQ(TimeDisplayText(2, 61, 0, 225), "1:01/3:45");
    EXPECT_EQ(TimeDisplayText(1, 300, 0, 225), "0:00");
    EXPECT_EQ(TimeDisplayText(0, 5, 10, 225), "0:00");
    EXPECT_EQ(TimeDisplayText(1, 70, 60, 100), "1:30");  // a member song 60 s into its archive
}

TEST(SpeedTable, CyclesFromTenBackToOne) {
    EXPECT_EQ(SpeedMultiplier(0), 1);
    EXPECT_EQ(SpeedLabel(9), "x10");
    EXPECT_EQ(NextSpeedIndex(8), 9);
    EXPECT_EQ(NextSpeedIndex(9), 0);
    ASSERT_EQ(SpeedChoices().size(), 10u);
    EXPECT_EQ(SpeedChoices().front(), "x1");
}

TEST(PitchTable, ClickSkipsTheDoubledIndices) {
    EXPECT_EQ(NextPitchIndex(7), 9);
    EXPECT_EQ(NextPitchIndex(9), 11);
    EXPECT_EQ(NextPitchIndex(11), 12);
    EXPECT_EQ(NextPitchIndex(23), 0);
    int index = 0, steps = 0;
    do {
        index = NextPitchIndex(index);
        ++steps;
    } while (index != 0);
    EXPECT_EQ(steps, 22);  // one click per label of the list
}

TEST(PitchTable, ListHoldsTwentyTwoLabelsMappedToTheirIndices) {
    const auto labels = PitchChoices();
    ASSERT_EQ(labels.size(), 22u);
    EXPECT_EQ(labels[8], "100%");
    EXPECT_EQ(labels[9], "110%");
    EXPECT_EQ(labels[21], "500%");
    for (size_t c = 0; c < labels.size(); ++c) {
        EXPECT_EQ(PitchLabel(PitchIndexOfChoice(static_cast<int>(c))), labels[c]);
    }
}

TEST(HotkeyMatch, CtrlHotkeyAlsoFiresWithCtrlShift) {
    const uint32_t ctrlP = (kModCtrl << 8) | 'P';
    EXPECT_TRUE(HotkeyFires(ctrlP, true, {.shift = true, .ctrl = true, .alt = false}));
    EXPECT_TRUE(HotkeyFires(ctrlP, true, {.shift = false, .ctrl = true, .alt = false}));
    EXPECT_FALSE(HotkeyFires(ctrlP, true, {.shift = true, .ctrl = false, .alt = false}));
    EXPECT_FALSE(HotkeyFires(ctrlP, false, {.shift = false, .ctrl = true, .alt = false}));
}

TEST(HotkeyMatch, EveryRequiredModifierMustBeHeldAndEmptySlotsNeverFire) {
    const uint32_t all = ((kModCtrl | kModAlt | kModShift) << 8) | 'N';
    EXPECT_FALSE(HotkeyFires(all, true, {.shift = true, .ctrl = true, .alt = false}));
    EXPECT_TRUE(HotkeyFires(all, true, {.shift = true, .ctrl = true, .alt = true}));
    EXPECT_FALSE(HotkeyFires(kModCtrl << 8, true, {.shift = false, .ctrl = true, .alt = false}));
    EXPECT_EQ(PolledKeyCode(240), 20u);
}

WakeSettings Wake(int kind, int minutes, int mask = 0) {
    WakeSettings wake;
    wake.kind = kind;
    wake.minutesAfterMidnight = minutes;
    wake.weekdayMask = mask;
    return wake;
}

TEST(WakeMatch, OnceFiresOnceAndResetsItsKind) {
    WakeSettings wake = Wake(kWakeOnce, 7 * 60 + 30);
    int last = -1;
    EXPECT_FALSE(WakeCheck(wake, last, {7, 29, 1}));
    EXPECT_TRUE(WakeCheck(wake, last, {7, 30, 1}));
    EXPECT_EQ(wake.kind, kWakeNone);
    EXPECT_FALSE(WakeCheck(wake, last, {7, 30, 1}));
}

TEST(WakeMatch, DailyActsOncePerMinute) {
    WakeSettings wake = Wake(kWakeDaily, 420);
    int last = -1;
    EXPECT_TRUE(WakeCheck(wake, last, {7, 0, 3}));
    EXPECT_FALSE(WakeCheck(wake, last, {7, 0, 3}));  // the next tick of the same minute
    EXPECT_FALSE(WakeCheck(wake, last, {8, 0, 3}));  // same minute number, other hour
    EXPECT_EQ(wake.kind, kWakeDaily);
}

TEST(WakeMatch, WeekdaysNeedTodaysBitAndSundayIsSixtyFour) {
    WakeSettings wake = Wake(kWakeWeekdays, 420, 1);
    int last = -1;
    EXPECT_FALSE(WakeCheck(wake, last, {7, 0, 0}));  // Sunday without bit 64
    wake.weekdayMask = 64;
    last = -1;
    EXPECT_TRUE(WakeCheck(wake, last, {7, 0, 0}));
    EXPECT_EQ(WeekdayBit(1), 1);
    EXPECT_EQ(WeekdayBit(6), 32);
}

}  // namespace
}  // namespace velk::app

#include "core/gradient.h"

namespace velk::app {
namespace {

TEST(Gradient, EachComponentStepsByOneAndStaysWhenItArrives) {
    EXPECT_EQ(GradientRowColour(0xFFFFFF, 0xFF0000, 0), 0xFFFFFFu);
    EXPECT_EQ(GradientRowColour(0xFFFFFF, 0xFF0000, 1), 0xFFFEFEu);
    EXPECT_EQ(GradientRowColour(0xFFFFFF, 0xFF0000, 255), 0xFF0000u);
    EXPECT_EQ(GradientRowColour(0xFFFFFF, 0xFF0000, 4000), 0xFF0000u);
    EXPECT_EQ(GradientRowColour(0x000010, 0x0A0000, 12), 0x0A0004u);
}

}  // namespace
}  // namespace velk::app
