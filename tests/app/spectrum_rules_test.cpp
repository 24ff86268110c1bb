#include <gtest/gtest.h>

#include <limits>

#include "fake_engine.h"
#include "visual/core/equalizer_values.h"
#include "visual/core/spectrum_graph.h"

namespace velk::app {
namespace {

// One pixel per decibel above 40 dB from 70 pixels up; below 70 pixels nothing rises.
TEST(SpectrumArithmetic, LevelsScaleByWholeSeventiethsOfTheHeight) {
    EXPECT_EQ(SpectrumLevel(41, 70), 1);
    EXPECT_EQ(SpectrumLevel(100, 69), 0);
    EXPECT_EQ(SpectrumLevel(70, 139), 30);
    EXPECT_EQ(SpectrumLevel(70, 140), 60);
    EXPECT_EQ(SpectrumLevel(40, 1000), 0);
    // A bin of no energy comes as the most negative integer: far below 0, without overflow.
    EXPECT_LT(SpectrumLevel(std::numeric_limits<int>::min(), 7000), -1000000);
    EXPECT_GT(SpectrumLevel(std::numeric_limits<int>::max(), 7000), 1000000);
    EXPECT_EQ(NextBarValue(5, SpectrumLevel(std::numeric_limits<int>::min(), 7000)), 0);
}

TEST(SpectrumArithmetic, BarsFallByAHundredAndPeaksByTwoOnlyWhilePlaying) {
    EXPECT_EQ(NextBarValue(500, 100), 400);
    EXPECT_EQ(NextBarValue(150, 100), 100);  // not below the level
    EXPECT_EQ(NextBarValue(50, -300), 0);    // not below 0
    EXPECT_EQ(NextBarValue(30, 60), 60);     // rises at once
    EXPECT_EQ(NextBarValue(60, 60), 60);
    EXPECT_EQ(NextPeakValue(10, 0, true), 8);
    EXPECT_EQ(NextPeakValue(10, 0, false), 10);
    EXPECT_EQ(NextPeakValue(1, -5, true), 0);
    EXPECT_EQ(NextPeakValue(9, 8, true), 8);
    EXPECT_EQ(NextPeakValue(9, 30, false), 30);
}

TEST(SpectrumArithmetic, BarColoursStepThreePerPixelAndStopAtTheTopColour) {
    const uint32_t yellow = 0x00FFFF, red = 0x0000FF;
    EXPECT_EQ(BarPixelColour(yellow, red, 0), yellow);
    EXPECT_EQ(BarPixelColour(yellow, red, 1), 0x00FCFFu);
    EXPECT_EQ(BarPixelColour(yellow, red, 84), 0x0003FFu);
    EXPECT_EQ(BarPixelColour(yellow, red, 85), red);
    EXPECT_EQ(BarPixelColour(yellow, red, 5000), red);
    EXPECT_EQ(BarPixelColour(0x000000, 0x0A0B0C, 4), 0x0A0B0Cu);  // upwards, never past
    EXPECT_EQ(BarPixelColour(0x000000, 0x0A0B0C, 3), 0x090909u);
}

TEST(SpectrumArithmetic, KindsCycleAndPickTheirColumnsAndBins) {
    EXPECT_EQ(NextSpectrumKind(kOscilloscope), kFineArea);
    EXPECT_EQ(NextSpectrumKind(kCoarseBars), kPeaks);
    EXPECT_EQ(NextSpectrumKind(kPeaks), kOscilloscope);
    EXPECT_EQ(ValidSpectrumKind(0), kOscilloscope);
    EXPECT_EQ(ValidSpectrumKind(7), kOscilloscope);
    EXPECT_EQ(ColumnsOfKind(kFineArea).last, 255);
    EXPECT_EQ(ColumnsOfKind(kCoarseArea).step, 2);
    EXPECT_EQ(ColumnsOfKind(kFineBars).last, 85);
    EXPECT_EQ(ColumnsOfKind(kPeaks).step, 4);
    EXPECT_EQ(BinOfColumn(85, 3), 252);
    EXPECT_EQ(BinOfColumn(126, 2), 252);
    EXPECT_EQ(BinOfColumn(60, 4), 240);
    EXPECT_EQ(ShownColumns(255), 193);
    EXPECT_EQ(ShownColumns(63), 47);
    int coarseBarsShown = 0;
    for (int x = 0; x < ShownColumns(63); x += 4) ++coarseBarsShown;
    EXPECT_EQ(coarseBarsShown, 12);
    EXPECT_FALSE(IsWideKind(kFineArea));
    EXPECT_TRUE(IsWideKind(kCoarseArea));
    EXPECT_TRUE(IsWideKind(kPeaks));
}

TEST(SpectrumArithmetic, OscilloscopeMapsTheChannelMeanOntoTheHeight) {
    const ScopePoint mono = OscilloscopePoint(1, 100, 0, 256, 200);  // half amplitude
    EXPECT_EQ(mono.x, 2);
    EXPECT_EQ(mono.y, 150);
    const ScopePoint top = OscilloscopePoint(127, 100, 100, 256, 200);
    EXPECT_EQ(top.x, 254);
    EXPECT_EQ(top.y, 200);
    EXPECT_EQ(OscilloscopePoint(64, -100, -100, 100, 80).y, 0);
    EXPECT_EQ(OscilloscopePoint(64, -1, 0, 100, 80).y, 40);  // -1 ÷ 2 truncates to 0
    EXPECT_EQ(OscilloscopePoint(64, 0, 0, 100, 80).x, 50);
}

TEST(EqualizerRules, ValuesColoursAndChanges) {
    EXPECT_EQ(BandValueOfSlider(-120), 120);
    EXPECT_EQ(SliderOfBandValue(-37), 37);
    EXPECT_EQ(EqualizerSliderColour(120), 0xFF0000u);
    EXPECT_EQ(EqualizerSliderColour(-1), 0xFF0000u);
    EXPECT_EQ(EqualizerSliderColour(0), 0xFFFFFFu);
    EqualizerValues saved{};
    EqualizerValues now{};
    EXPECT_FALSE(EqualizerChanged(now, saved));
    now[9] = 1;
    EXPECT_TRUE(EqualizerChanged(now, saved));
}

// The engine refuses block changes while a song plays: stop, change, play, seek back, pause.
TEST(EqualizerRules, BlockChangesRestartAPlayingOrPausedSongWhereItWas) {
    test::FakeEngine engine;
    ChangeBlocksKeepingPlayback(engine, kQuickResponseBlocks);
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"blocks"}));
    EXPECT_EQ(engine.blocks.outputBlock, 1);

    engine.calls.clear();
    engine.state = kEnginePlaying;
    engine.position = 42;
    ChangeBlocksKeepingPlayback(engine, kNormalBlocks);
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"stop", "blocks", "play", "seek 42"}));
    EXPECT_EQ(engine.blocks.inputBlock, 30);
    EXPECT_EQ(engine.blocks.outputBlock, 20);
    EXPECT_EQ(engine.state, kEnginePlaying);

    engine.calls.clear();
    engine.state = kEnginePaused;
    ChangeBlocksKeepingPlayback(engine, kQuickResponseBlocks);
    EXPECT_EQ(engine.calls,
              (std::vector<std::string>{"stop", "blocks", "play", "seek 42", "pause"}));
    EXPECT_EQ(engine.state, kEnginePaused);
    EXPECT_EQ(engine.blocks.inputBlock, 1);
}

}  // namespace
}  // namespace velk::app
