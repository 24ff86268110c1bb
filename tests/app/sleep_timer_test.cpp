#include "core/sleep_timer.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTimeEdit>

#include "box_answerer.h"
#include "core/custom_settings.h"
#include "core/favourites.h"
#include "core/player_session.h"
#include "dialogs/ui/option_tab6.h"
#include "fake_engine.h"
#include "queue_host.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {
namespace {

TEST(SleepTimer, CountsDownShowsTheTitleAndDisarmsWhenDue) {
    SleepTimer timer;
    timer.Arm(15, kSleepStop);
    EXPECT_EQ(timer.Tick(false, "Velkaro").title, "Velkaro 【15分後に演奏を停止】");
    EXPECT_EQ(timer.Tick(true, "Velkaro").title, "Velkaro 【14分後に演奏を停止】");
    for (int minute = 2; minute < 15; ++minute) EXPECT_FALSE(timer.Tick(true, "Velkaro").due);
    const SleepStep last = timer.Tick(true, "Velkaro");
    EXPECT_TRUE(last.due);
    EXPECT_EQ(last.title, "Velkaro");
    EXPECT_FALSE(timer.Armed());
    EXPECT_FALSE(timer.Tick(true, "Velkaro").due);  // a late tick after firing does nothing
}

TEST(SleepTimer, ArmingAgainRestartsTheCountAndZeroDisarms) {
    SleepTimer timer;
    timer.Arm(30, kSleepHibernate);
    timer.Tick(true, "V");
    timer.Tick(true, "V");
    timer.Arm(30, kSleepStandBy);
    EXPECT_EQ(timer.Tick(false, "V").title, "V 【30分後にスタンバイ】");
    EXPECT_EQ(SleepTitle("V", 1, kSleepPowerOff), "V 【1分後に電源を切る】");
    EXPECT_EQ(SleepTitle("V", 5, kSleepHibernate), "V 【5分後に休止状態】");
    timer.Arm(0, kSleepStop);
    EXPECT_FALSE(timer.Armed());
    EXPECT_EQ(timer.Tick(true, "V").title, "V");
}

TEST(SleepTimer, ComboRowsAndLimitsMapBothWays) {
    EXPECT_EQ(SleepLimitOfChoice(0), 0);
    EXPECT_EQ(SleepLimitOfChoice(6), 120);
    EXPECT_EQ(SleepLimitOfChoice(7), 0);
    EXPECT_EQ(SleepLimitOfChoice(-1), 0);
    for (int choice = 0; choice < kSleepChoiceCount; ++choice) {
        EXPECT_EQ(SleepChoiceOfLimit(SleepLimitOfChoice(choice)), choice);
    }
    EXPECT_EQ(SleepChoiceOfLimit(20), 0);
}

class FakePowerRunner : public PowerRunner {
  public:
    std::vector<std::string> verbs;
    bool accept = true;
    bool Run(const std::string& verb) override {
        verbs.push_back(verb);
        return accept;
    }
};

struct SleepSession : ::testing::Test {
    velk::test::TempDir dir;
    test::FakeEngine engine;
    QueueHost host;
    FakePowerRunner power;
    std::unique_ptr<PlayerSession> session;

    void SetUp() override {
        SessionOptions options;
        options.profileFolder = dir.file("profile");
        session = std::make_unique<PlayerSession>(engine, host, options);
        session->SetPowerRunner(power);
        session->LoadSelectedFavourite();
        session->AddLines({dir.file("a.mp3"), dir.file("b.mp3")});
        session->Player().PlayRow(0);
    }

    // Arms one minute of `kind` and lets it pass.
    SleepStep RunOut(int kind) {
        session->ArmSleepTimer(1, kind);
        session->SleepTick(false, "Velkaro");
        return session->SleepTick(true, "Velkaro");
    }

    std::vector<std::string> FavouriteFileLines() {
        return ReadFavouriteLines(session->Favourites()[session->CurrentFavourite()]);
    }
};

TEST_F(SleepSession, StoppingOnlyStopsAndAsksNothingOfTheSystem) {
    ASSERT_EQ(engine.state, kEnginePlaying);
    const SleepStep step = RunOut(kSleepStop);
    EXPECT_TRUE(step.due);
    EXPECT_EQ(engine.state, kEngineStopped);
    EXPECT_TRUE(power.verbs.empty());
}

TEST_F(SleepSession, EachPowerKindStopsSavesTheFavouriteAndRunsItsVerb) {
    const std::pair<int, const char*> kinds[] = {
        {kSleepPowerOff, "poweroff"}, {kSleepHibernate, "hibernate"}, {kSleepStandBy, "suspend"}};
    for (const auto& [kind, verb] : kinds) {
        session->Player().PlayRow(1);
        std::filesystem::remove(session->Favourites()[session->CurrentFavourite()].path);
        const SleepStep step = RunOut(kind);
        EXPECT_TRUE(step.due);
        EXPECT_FALSE(step.refused);
        EXPECT_EQ(engine.state, kEngineStopped);
        EXPECT_EQ(power.verbs.back(), verb);
        EXPECT_EQ(FavouriteFileLines().size(), 2u);
    }
    EXPECT_EQ(power.verbs.size(), 3u);
}

TEST_F(SleepSession, ARefusalLeavesThePlayerRunningWithPlaybackStopped) {
    power.accept = false;
    const SleepStep step = RunOut(kSleepPowerOff);
    EXPECT_TRUE(step.refused);
    EXPECT_EQ(engine.state, kEngineStopped);
    session->Player().PlayRow(0);  // still usable
    EXPECT_EQ(engine.state, kEnginePlaying);
    EXPECT_FALSE(session->Sleep().Armed());
}

// The window shows the count in its title at once, counts down by the minute, and says so
// when the system refuses to power off.
TEST_F(SleepSession, TheMainWindowShowsTheCountAndTheRefusal) {
    CMainWindow window(*session, StartOptions{});
    window.Start();
    session->ArmSleepTimer(2, kSleepPowerOff);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Velkaro 【2分後に電源を切る】"));
    window.SleepTick(true);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Velkaro 【1分後に電源を切る】"));
    power.accept = false;
    QString message;
    {
        test::BoxAnswerer answerer;
        window.SleepTick(true);
        message = answerer.Text();
    }
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Velkaro"));
    EXPECT_EQ(message, QString::fromUtf8("電源の操作が拒否されました。演奏は停止しました。"));
    EXPECT_EQ(engine.state, kEngineStopped);
    session->ArmSleepTimer(0, kSleepStop);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Velkaro"));
    window.close();
}

template <typename T>
T* Control(QWidget& page, int id) {
    return page.findChild<T*>(ids::ControlObjectName(id));
}

// The page shows the stored wake timer, enables the weekdays only for their kind, and on
// confirmation writes the "Etc" keys and arms the sleep timer from 0.
TEST_F(SleepSession, TheTimerPageShowsStoresAndArms) {
    ASSERT_TRUE(session->NewFavourite("朝"));
    EtcSettings& etc = session->Settings().etc;
    etc.wake = {kWakeWeekdays, 6 * 60 + 5, 1 | 64, "朝"};
    etc.sleepKind = kSleepHibernate;
    session->ArmSleepTimer(45, kSleepHibernate);
    {
        COptionTab6 page(*session);
        EXPECT_EQ(Control<QComboBox>(page, COptionTab6::kSleepLimit)->currentIndex(), 3);
        EXPECT_TRUE(Control<QRadioButton>(page, COptionTab6::kHibernateRadio)->isChecked());
        EXPECT_EQ(Control<QTimeEdit>(page, COptionTab6::kWakeTime)->time(), QTime(6, 5));
        EXPECT_EQ(Control<QComboBox>(page, COptionTab6::kWakeFavourite)->currentText(),
                  QString::fromUtf8("朝"));
        auto* monday = Control<QCheckBox>(page, COptionTab6::kFirstWeekday);
        auto* sunday = Control<QCheckBox>(page, COptionTab6::kFirstWeekday + 6);
        EXPECT_TRUE(monday->isChecked() && sunday->isChecked() && monday->isEnabled());
        Control<QRadioButton>(page, COptionTab6::kDailyRadio)->setChecked(true);
        EXPECT_FALSE(monday->isEnabled());
        Control<QCheckBox>(page, COptionTab6::kFirstWeekday + 2)->setChecked(true);
        Control<QComboBox>(page, COptionTab6::kSleepLimit)->setCurrentIndex(1);
        Control<QRadioButton>(page, COptionTab6::kStopRadio)->setChecked(true);
        Control<QTimeEdit>(page, COptionTab6::kWakeTime)->setTime(QTime(23, 59));
        session->SleepTick(true, "V");
        page.Apply();
    }
    EXPECT_EQ(session->Sleep().Limit(), 15);
    EXPECT_EQ(session->Sleep().Elapsed(), 0);
    const EtcSettings stored = ReadEtcSettings(session->Store());
    EXPECT_EQ(stored.sleepKind, kSleepStop);
    EXPECT_EQ(stored.wake.kind, kWakeDaily);
    EXPECT_EQ(stored.wake.minutesAfterMidnight, 23 * 60 + 59);
    EXPECT_EQ(stored.wake.weekdayMask, 1 | 4 | 64);
    EXPECT_EQ(stored.wake.playlist, "朝");
    {
        COptionTab6 page(*session);
        Control<QComboBox>(page, COptionTab6::kSleepLimit)->setCurrentIndex(0);
        page.Apply();
    }
    EXPECT_FALSE(session->Sleep().Armed());
}

}  // namespace
}  // namespace velk::app
