#include "visual/ui/spectrum_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <cstdlib>

#include "core/gradient.h"
#include "core/velk_player_engine.h"
#include "fake_engine.h"
#include "inline_host.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"
#include "visual/ui/option_tab3.h"

namespace velk::app {
namespace {

struct CapturedSound {
    VisualChannel waveLeft{}, waveRight{}, spectrumLeft{}, spectrumRight{};
};

// What the engine gives for the demo song a moment into playback, taken once.
const CapturedSound& DemoSound() {
    static const CapturedSound sound = [] {
        setenv("VELKARO_AUDIO", "null:4", 1);
        CapturedSound s;
        VelkPlayerEngine engine;
        EXPECT_TRUE(engine.Open(std::string(VELK_TEST_DATA_DIR) + "/demo.mp3"));
        EXPECT_TRUE(engine.Play());
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const bool loud =
                    engine.SpectrumData(s.spectrumLeft, s.spectrumRight) == 512 &&
                    *std::max_element(s.spectrumLeft.begin(), s.spectrumLeft.end()) > 60;
                return loud && engine.WaveData(s.waveLeft, s.waveRight) == 256;
            },
            20000));
        engine.Stop();
        engine.Close();
        return s;
    }();
    return sound;
}

QRgb Rgb(uint32_t colorRef) {
    return qRgb(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

struct SpectrumFixture : ::testing::Test, test::ScriptedSession {
    std::unique_ptr<SpectrumWindow> window;

    void SetUp() override {
        window = std::make_unique<SpectrumWindow>(*session);
        window->resize(256, 140);  // two pixels per decibel
    }
    void TearDown() override { window.reset(); }

    SpectrumWindowSettings& Spec() { return session->Settings().spec; }
    QRgb At(int x, int y) const { return window->Surface().pixel(x, y); }
    QRgb Background(int y) const {
        const SpectrumWindowSettings& s = session->Settings().spec;
        return Rgb(GradientRowColour(s.backColor, s.backColor2, y));
    }
    int PixelsOtherThanBackground() const {
        int count = 0;
        for (int y = 0; y < window->height(); ++y)
            for (int x = 0; x < window->width(); ++x) count += At(x, y) != Background(y);
        return count;
    }
    int PixelsOf(QRgb colour) const {
        int count = 0;
        for (int y = 0; y < window->height(); ++y)
            for (int x = 0; x < window->width(); ++x) count += At(x, y) == colour;
        return count;
    }
    void Sound(int decibels) {
        engine.spectrumLeft.fill(decibels);
        engine.spectrumRight.fill(0);
    }
};

TEST_F(SpectrumFixture, EveryKindDrawsTheDemoSong) {
    const CapturedSound& sound = DemoSound();
    engine.waveLeft = sound.waveLeft;
    engine.waveRight = sound.waveRight;
    engine.spectrumLeft = sound.spectrumLeft;
    engine.spectrumRight = sound.spectrumRight;
    engine.state = kEnginePlaying;
    for (int kind = kOscilloscope; kind <= kPeaks; ++kind) {
        window->SetKind(kind);
        window->DrawNow();
        SCOPED_TRACE(kind);
        EXPECT_GT(PixelsOtherThanBackground(), 0);
        // The bottom row of the window holds each bar's second pixel.
        const int barBottoms =
            PixelsOf(Rgb(BarPixelColour(Spec().foreColor2, Spec().foreColor, 1)));
        if (kind == kOscilloscope || kind == kPeaks) {
            EXPECT_EQ(barBottoms, 0);
        } else {
            EXPECT_GT(barBottoms, 0);
        }
    }
    window->SetKind(kOscilloscope);
    window->DrawNow();
    EXPECT_GT(PixelsOf(Rgb(Spec().waveColor)), 10);
}

// 70 dB in a 140-pixel window: 60-pixel bars from the bottom row up to row 80, the mark on top.
TEST_F(SpectrumFixture, BarsMarksAndColumnsFollowTheLevels) {
    engine.state = kEnginePlaying;
    Sound(70);
    window->SetKind(kFineArea);
    window->DrawNow();
    EXPECT_EQ(At(10, 139), Rgb(BarPixelColour(Spec().foreColor2, Spec().foreColor, 1)));
    EXPECT_EQ(At(10, 81), Rgb(BarPixelColour(Spec().foreColor2, Spec().foreColor, 59)));
    EXPECT_EQ(At(10, 80), Rgb(Spec().topColor));
    EXPECT_EQ(At(10, 79), Background(79));

    window->SetKind(kFineBars);  // every third column, two pixels wide
    window->DrawNow();
    EXPECT_NE(At(3, 120), Background(120));
    EXPECT_NE(At(4, 120), Background(120));
    EXPECT_EQ(At(5, 120), Background(120));

    window->SetKind(kPeaks);
    window->DrawNow();
    EXPECT_EQ(At(0, 139), Background(139));
    EXPECT_EQ(At(0, 80), Rgb(Spec().topColor));
    EXPECT_EQ(At(1, 80), Rgb(Spec().topColor));
    EXPECT_EQ(At(2, 80), Background(80));

    // The sound drops to 40 dB: the bar is gone at once, the mark falls 2 pixels per tick
    // while playing and holds while paused.
    Sound(40);
    window->DrawNow();
    EXPECT_EQ(At(0, 82), Rgb(Spec().topColor));
    engine.state = kEnginePaused;
    window->DrawNow();
    EXPECT_EQ(At(0, 82), Rgb(Spec().topColor));
    engine.state = kEnginePlaying;
    Spec().topDelay = false;  // marks sit on the bar tops, here on the bottom edge
    window->DrawNow();
    EXPECT_EQ(PixelsOtherThanBackground(), 0);
}

TEST_F(SpectrumFixture, LowWindowsKeepTheBarsDown) {
    engine.state = kEnginePlaying;
    Sound(120);
    window->resize(256, 80);
    window->SetKind(kFineArea);
    window->DrawNow();
    EXPECT_GT(PixelsOtherThanBackground(), 0);  // 80 pixels: one per decibel
    window->resize(10, 10);
    EXPECT_EQ(window->width(), spec_ids::kMinimumWidth);
    EXPECT_EQ(window->height(), spec_ids::kMinimumHeight);
}

TEST_F(SpectrumFixture, StoppedShowsTheBackgroundAndASeekWhilePausedClearsOnce) {
    engine.state = kEngineStopped;
    Sound(90);
    window->SetKind(kFineArea);
    window->DrawNow();
    EXPECT_EQ(PixelsOtherThanBackground(), 0);

    session->AddLines({std::string(VELK_TEST_DATA_DIR) + "/demo.mp3"});
    session->Player().PlayRow(0);
    window->DrawNow();
    EXPECT_GT(PixelsOtherThanBackground(), 0);
    session->Player().PlayPause();
    ASSERT_EQ(engine.state, kEnginePaused);
    session->Player().SeekTo(3);
    EXPECT_EQ(PixelsOtherThanBackground(), 0);
}

TEST_F(SpectrumFixture, ShownWithTheSongAndTimedWhilePlaying) {
    EXPECT_FALSE(window->isVisible());
    session->AddLines({std::string(VELK_TEST_DATA_DIR) + "/demo.mp3"});
    session->Player().PlayRow(0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->TimerRunning());
    session->Player().Stop();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->TimerRunning());

    Spec().playing = false;  // "show only while playing" off: shown at once
    session->ApplySettings();
    EXPECT_TRUE(window->isVisible());
    Spec().show = false;
    session->ApplySettings();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SpectrumFixture, MenuChecksTheKindAndDelayAndDoubleClicksCycle) {
    auto menu = window->MakeMenu();
    auto action = [&](int id) { return menu->findChild<QAction*>(ids::ControlObjectName(id)); };
    ASSERT_NE(action(spec_ids::kClose), nullptr);
    EXPECT_TRUE(action(spec_ids::kOscilloscope)->isChecked());
    EXPECT_FALSE(action(spec_ids::kPeaks)->isChecked());
    EXPECT_TRUE(action(spec_ids::kTopDelay)->isChecked());
    EXPECT_EQ(action(spec_ids::kCoarseArea)->text(), QString::fromUtf8("荒い面ｸﾞﾗﾌ(&3)"));
    action(spec_ids::kCoarseBars)->trigger();
    EXPECT_EQ(window->Kind(), kCoarseBars);
    action(spec_ids::kTopDelay)->trigger();
    EXPECT_FALSE(Spec().topDelay);

    menu = window->MakeMenu();
    EXPECT_TRUE(action(spec_ids::kCoarseBars)->isChecked());
    EXPECT_FALSE(action(spec_ids::kOscilloscope)->isChecked());
    EXPECT_FALSE(action(spec_ids::kTopDelay)->isChecked());

    window->show();
    QTest::mouseDClick(window.get(), Qt::LeftButton);
    EXPECT_EQ(window->Kind(), kPeaks);
    QTest::mouseDClick(window.get(), Qt::LeftButton);
    EXPECT_EQ(window->Kind(), kOscilloscope);
    menu = window->MakeMenu();
    action(spec_ids::kClose)->trigger();
    EXPECT_FALSE(window->isVisible());
}

// "Save Status" keeps kind, delay and place; without it the window starts as the oscilloscope.
TEST_F(SpectrumFixture, StateRoundTripsOnlyWithSaveStatus) {
    const std::string file = dir.file("profile") + "/velkaro.INI";
    Spec().saveStatus = true;
    window->SetKind(kFineBars);
    Spec().topDelay = false;
    window->show();
    window->setGeometry(40, 50, 120, 90);
    SaveOnExit(session->Store(), session->Settings());
    WriteSpectrumWindowOptions(session->Store(), Spec());
    SettingsStore store(file);
    const SpectrumWindowSettings read = ReadSpectrumWindowSettings(store);
    EXPECT_EQ(read.kind, kFineBars);
    EXPECT_FALSE(read.topDelay);
    EXPECT_EQ(read.window.left, 40);
    EXPECT_EQ(read.window.bottom, 140);
    EXPECT_TRUE(read.saveStatus);

    session->Settings().spec = read;
    SpectrumWindow again(*session);
    EXPECT_EQ(again.Kind(), kFineBars);
    EXPECT_EQ(again.width(), 120);
    session->Settings().spec.saveStatus = false;
    SpectrumWindow fresh(*session);
    EXPECT_EQ(fresh.Kind(), kOscilloscope);
}

TEST_F(SpectrumFixture, OptionsPageShowsWritesAndAppliesItsKeys) {
    COptionTab3 page(*session, nullptr);
    EXPECT_EQ(page.Caption(), QString::fromUtf8("ｽﾍﾟｸﾄﾙ"));
    auto check = [&](int id) { return page.findChild<QCheckBox*>(ids::ControlObjectName(id)); };
    auto* value = page.findChild<QSpinBox*>(ids::ControlObjectName(spec_page_ids::kTransValue));
    ASSERT_NE(value, nullptr);
    EXPECT_TRUE(check(spec_page_ids::kShow)->isChecked());
    EXPECT_FALSE(value->isEnabled());
    EXPECT_FALSE(check(spec_page_ids::kMouseTrans)->isEnabled());
    EXPECT_FALSE(page.Modified());

    check(spec_page_ids::kTrans)->setChecked(true);
    EXPECT_TRUE(value->isEnabled());
    EXPECT_TRUE(check(spec_page_ids::kMouseTrans)->isEnabled());
    value->setValue(300);  // kept in 0..255
    check(spec_page_ids::kPlaying)->setChecked(false);
    EXPECT_TRUE(page.Modified());
    check(spec_page_ids::kShow)->setChecked(false);
    EXPECT_FALSE(check(spec_page_ids::kTrans)->isEnabled());
    EXPECT_FALSE(value->isEnabled());
    check(spec_page_ids::kShow)->setChecked(true);
    page.Apply();

    EXPECT_TRUE(window->isVisible());                // "Playing" off: shown without a song
    EXPECT_DOUBLE_EQ(window->windowOpacity(), 1.0);  // 255 is fully opaque
    SettingsStore store(dir.file("profile") + "/velkaro.INI");
    const SpectrumWindowSettings read = ReadSpectrumWindowSettings(store);
    EXPECT_TRUE(read.trans);
    EXPECT_EQ(read.transValue, 255);
    EXPECT_FALSE(read.playing);
    EXPECT_EQ(read.foreColor, 255u);
}

}  // namespace
}  // namespace velk::app
