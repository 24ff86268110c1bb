#include "visual/ui/equalizer_panel.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "fake_engine.h"
#include "inline_host.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"
#include "ui/player_app.h"

namespace velk::app {
namespace {

struct PanelFixture : ::testing::Test, test::ScriptedSession {
    std::unique_ptr<EqualizerPanel> panel;
    std::vector<QString> questions;
    bool answer = false;

    void Make() {
        panel = std::make_unique<EqualizerPanel>(*session, nullptr);
        panel->SetAsker([this](const QString& q) {
            questions.push_back(q);
            return answer;
        });
    }
    EqualizerValues& Saved() { return session->Settings().main.equalizer; }
    QSlider* Slider(int band) {
        return panel->findChild<QSlider*>(ids::ControlObjectName(geq_ids::kFirstSlider + band));
    }
    QPushButton* Button(int id) {
        return panel->findChild<QPushButton*>(ids::ControlObjectName(id));
    }
    uint32_t SecondColour(int band) { return Slider(band)->property("secondColour").toUInt(); }
};

TEST_F(PanelFixture, SavedValuesReachTheEngineAtStartAndTheSlidersWhenOpened) {
    Saved()[0] = 30;
    Saved()[9] = -120;
    Make();
    EXPECT_EQ(engine.equalizer, Saved());
    panel->Open();
    EXPECT_EQ(Slider(0)->value(), -30);
    EXPECT_EQ(Slider(9)->value(), 120);
    EXPECT_EQ(Slider(0)->minimum(), -120);
    EXPECT_EQ(Slider(0)->maximum(), 120);
    EXPECT_EQ(Slider(0)->pageStep(), 10);
    EXPECT_EQ(SecondColour(0), 0xFF0000u);
    EXPECT_EQ(SecondColour(5), 0xFFFFFFu);
    EXPECT_FALSE(Button(geq_ids::kSaveAndReturn)->isEnabled());
    EXPECT_EQ(engine.blocks.inputBlock, 1);
    EXPECT_EQ(engine.blocks.outputBlock, 1);
}

TEST_F(PanelFixture, ASliderIsHeardAtOnceAndColouredByItsValue) {
    Make();
    panel->Open();
    const int callsBefore = engine.equalizerCalls;
    Slider(2)->setValue(-120);  // the top: +12 dB
    EXPECT_EQ(engine.equalizer[2], 120);
    EXPECT_EQ(engine.equalizerCalls, callsBefore + 1);
    EXPECT_EQ(SecondColour(2), 0xFF0000u);
    EXPECT_TRUE(Button(geq_ids::kSaveAndReturn)->isEnabled());
    Slider(2)->setValue(0);
    EXPECT_EQ(engine.equalizer[2], 0);
    EXPECT_EQ(SecondColour(2), 0xFFFFFFu);
    EXPECT_EQ(panel->Values(), EqualizerValues{});
}

TEST_F(PanelFixture, ButtonsCarryTheirCaptionsAndTips) {
    Make();
    const std::pair<int, const char*> tips[] = {
        {geq_ids::kSaveAndReturn, "保存して戻る"},
        {geq_ids::kReturn, "変更内容を破棄して戻る"},
        {geq_ids::kFlat, "音量を中間位置にｾｯﾄします"},
        {geq_ids::kSaved, "保存されている値にｾｯﾄします"},
    };
    for (const auto& [id, tip] : tips) EXPECT_EQ(Button(id)->toolTip(), QString::fromUtf8(tip));
    EXPECT_EQ(Button(geq_ids::kFlat)->text(), QString::fromUtf8("標準値に戻す"));
}

TEST_F(PanelFixture, FlatAndSavedButtonsSetTheSlidersAndTheSaveButton) {
    Make();
    panel->Open();
    Slider(4)->setValue(50);
    Button(geq_ids::kFlat)->click();
    EXPECT_EQ(Slider(4)->value(), 0);
    EXPECT_EQ(engine.equalizer[4], 0);
    EXPECT_FALSE(Button(geq_ids::kSaveAndReturn)->isEnabled());  // saved values are all 0

    Saved()[4] = -60;
    Button(geq_ids::kFlat)->click();
    EXPECT_TRUE(Button(geq_ids::kSaveAndReturn)->isEnabled());
    Button(geq_ids::kSaved)->click();
    EXPECT_EQ(Slider(4)->value(), 60);
    EXPECT_EQ(engine.equalizer[4], -60);
    EXPECT_FALSE(Button(geq_ids::kSaveAndReturn)->isEnabled());
}

TEST_F(PanelFixture, ReturnAsksBeforeDiscardingAndNoKeepsThePanel) {
    Make();
    QSignalSpy left(panel.get(), &EqualizerPanel::left);
    panel->Open();
    Slider(1)->setValue(-40);
    answer = false;
    Button(geq_ids::kReturn)->click();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], QString::fromUtf8("変更内容が破棄されますがよろしいですか？"));
    EXPECT_TRUE(panel->IsOpen());
    EXPECT_EQ(Slider(1)->value(), -40);
    EXPECT_EQ(left.count(), 0);

    answer = true;
    Button(geq_ids::kReturn)->click();
    EXPECT_FALSE(panel->IsOpen());
    EXPECT_EQ(left.count(), 1);
    EXPECT_EQ(engine.equalizer, Saved());
    EXPECT_EQ(engine.blocks.inputBlock, 30);
    EXPECT_EQ(engine.blocks.outputBlock, 20);

    panel->Open();  // unchanged: no question
    Button(geq_ids::kReturn)->click();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(left.count(), 2);
}

TEST_F(PanelFixture, SaveAndReturnWritesTheValuesInBandOrder) {
    Make();
    panel->Open();
    Slider(0)->setValue(-120);
    Slider(9)->setValue(35);
    Button(geq_ids::kSaveAndReturn)->click();
    EXPECT_FALSE(panel->IsOpen());
    EXPECT_EQ(Saved()[0], 120);
    EXPECT_EQ(Saved()[9], -35);
    SettingsStore store(dir.file("profile") + "/velkaro.INI");
    const MainWindowSettings read = ReadMainWindowSettings(store, 0);
    EXPECT_EQ(read.equalizer[0], 120);
    EXPECT_EQ(read.equalizer[9], -35);
    EXPECT_EQ(read.equalizer[5], 0);
}

TEST_F(PanelFixture, LeavingForAnotherPanelAsksToSaveAChange) {
    Make();
    panel->Open();
    panel->LeaveForOtherPanel();  // unchanged: leaves without a question
    EXPECT_TRUE(questions.empty());
    EXPECT_FALSE(panel->IsOpen());

    panel->Open();
    Slider(3)->setValue(-20);
    answer = true;
    panel->LeaveForOtherPanel();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], QString::fromUtf8("変更を保存しますか？"));
    EXPECT_EQ(Saved()[3], 20);

    panel->Open();
    Slider(3)->setValue(0);
    answer = false;
    panel->LeaveForOtherPanel();
    EXPECT_EQ(Saved()[3], 20);
    EXPECT_EQ(engine.equalizer[3], 20);
    EXPECT_FALSE(panel->IsOpen());
}

TEST_F(PanelFixture, OpeningWhilePlayingRestartsAtTheSamePosition) {
    Make();
    engine.state = kEnginePaused;
    engine.position = 17;
    panel->Open();
    EXPECT_EQ(engine.calls,
              (std::vector<std::string>{"stop", "blocks", "play", "seek 17", "pause"}));
    EXPECT_EQ(engine.blocks.outputBlock, 1);
}

TEST_F(PanelFixture, EscapeEndsTheMainWindow) {
    Make();
    QSignalSpy escape(panel.get(), &EqualizerPanel::escapePressed);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(Slider(0), &press);  // unhandled by the slider, up to the panel
    EXPECT_EQ(escape.count(), 1);
}

// The GEQ tab puts the panel in the playlist's place; the favourites tab brings the list back.
TEST(MainWindowEqualizer, TheGeqTabSwapsThePanelForTheList) {
    velk::test::TempDir dir;
    test::FakeEngine engine;
    SessionOptions options;
    options.profileFolder = dir.file("profile");
    PlayerApp app(engine, options, {});
    CMainWindow& window = app.Window();
    window.show();
    auto* geqTab = window.findChild<QPushButton*>(ids::ControlObjectName(ids::kGeqTab));
    auto* favourites = window.findChild<QPushButton*>(ids::ControlObjectName(ids::kFavouritesTab));
    ASSERT_TRUE(geqTab && favourites && geqTab->isEnabled());
    geqTab->click();
    EXPECT_TRUE(window.Equalizer().isVisible());
    EXPECT_FALSE(window.ListView().isVisible());
    EXPECT_TRUE(geqTab->isChecked());
    EXPECT_EQ(window.Equalizer().geometry(), window.ListView().geometry());
    favourites->click();
    EXPECT_FALSE(window.Equalizer().isVisible());
    EXPECT_TRUE(window.ListView().isVisible());
    EXPECT_FALSE(geqTab->isChecked());
    EXPECT_EQ(engine.blocks.outputBlock, 20);
}

}  // namespace
}  // namespace velk::app
