#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/velk_player_engine.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"
#include "ui/instance_server.h"
#include "ui/player_app.h"
#include "ui/window_picture.h"

namespace velk::app {
namespace {

using velk::test::TempDir;

constexpr int kGenerousWaitMs = 20000;

// The application object lives from before the first test to after the last one, and is gone
// before the process's exit handlers run (Qt's own clean-up must not meet a half-ended process).
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[10] = "app_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class WindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        // Four times real time: fast, yet slow enough for the clock to see a second pass.
        setenv("VELKARO_AUDIO", "null:4", 1);
        std::filesystem::copy_file(std::string(VELK_TEST_DATA_DIR) + "/demo.mp3",
                                   dir.file("demo.mp3"));
        std::filesystem::copy_file(std::string(VELK_TEST_DATA_DIR) + "/cbr_mpeg1_l3.mp3",
                                   dir.file("short.mp3"));
        sessionOptions.profileFolder = dir.file("profile");
    }

    std::unique_ptr<PlayerApp> Open() {
        auto player = std::make_unique<PlayerApp>(engine, sessionOptions, options);
        player->Window().Start();
        return player;
    }

    void DoubleClickRow(CMainWindow& window, int row) {
        PlaylistView& view = window.ListView();
        const QRect cell = view.visualRect(view.model()->index(row, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    }

    TempDir dir;
    SessionOptions sessionOptions;
    StartOptions options;
    VelkPlayerEngine engine;
};

TEST_F(WindowFixture, DoubleClickPlaysAndTheTimeDisplayMoves) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3")),
                            QString::fromStdString(dir.file("nothing.txt"))});
    ASSERT_EQ(window.List().Count(), 1);
    DoubleClickRow(window, 0);
    EXPECT_EQ(window.TitleText(), QString("Velkaro / Velkaro demo"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QString t = window.TimeDisplayText();
            return !t.isEmpty() && t != "0:00";
        },
        kGenerousWaitMs));
}

TEST_F(WindowFixture, AnEndedSongStartsTheNextAndTheLastStopsWithLoopOff) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("short.mp3")),
                            QString::fromStdString(dir.file("short.mp3"))});
    window.Player().flags.loop = false;
    DoubleClickRow(window, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.List().Entry(1).played; }, kGenerousWaitMs));
    EXPECT_EQ(window.List().CurrentIndex(), 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return window.Player().EngineState() == kEngineStopped &&
                   window.List().CurrentIndex() == 0;
        },
        kGenerousWaitMs));
}

TEST_F(WindowFixture, AMissingSongIsMarkedFailedInRedAndSkipped) {
    std::ofstream(dir.file("list.m3u")) << "gone.mp3\nshort.mp3\n";
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("list.m3u"))});
    ASSERT_EQ(window.List().Count(), 2);
    DoubleClickRow(window, 0);
    EXPECT_TRUE(window.List().Entry(0).failed);
    EXPECT_EQ(window.List().CurrentIndex(), 1);
    const QModelIndex first = window.ListView().model()->index(0, 0);
    EXPECT_EQ(first.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(window.ListView().model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>(),
              QColor(Qt::blue));
}

TEST_F(WindowFixture, HeaderClicksSortAndTheDeleteKeyRemovesTheSelection) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3")),
                            QString::fromStdString(dir.file("short.mp3"))});
    PlaylistView& view = window.ListView();
    QHeaderView* header = view.header();
    const QPoint timeHeader(header->sectionViewportPosition(kColumnTime) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, timeHeader);
    EXPECT_EQ(window.List().Entry(0).path, dir.file("short.mp3"));
    EXPECT_EQ(view.model()->headerData(kColumnTime, Qt::Horizontal).toString(),
              QString::fromUtf8("△時間"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, timeHeader);
    EXPECT_EQ(window.List().Entry(0).path, dir.file("demo.mp3"));
    EXPECT_EQ(view.model()->headerData(kColumnTime, Qt::Horizontal).toString(),
              QString::fromUtf8("▽時間"));

    view.SelectRows({0});
    QTest::keyClick(&view, Qt::Key_Delete);
    ASSERT_EQ(window.List().Count(), 1);
    EXPECT_EQ(window.List().Entry(0).path, dir.file("short.mp3"));
    auto* files = window.findChild<QLabel*>(ids::ControlObjectName(ids::kFileCount));
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->toolTip(), QString::fromUtf8("ﾘｽﾄに表示されているﾌｧｲﾙ数"));
    EXPECT_EQ(files->text(), QString("1"));
}

TEST_F(WindowFixture, SecondInstanceHandOverClearsAddsAndPlays) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("short.mp3"))});
    InstanceServer server;
    const QString name = QStringLiteral("velkaro-test-%1").arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(server.Listen(name));
    QObject::connect(&server, &InstanceServer::handOver, &window, &CMainWindow::HandOver);
    const QString quoted = "\"" + QString::fromStdString(dir.file("demo.mp3")) + "\"";
    ASSERT_TRUE(SendToRunningInstance(name, quoted));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return window.List().Count() == 1 &&
                   window.List().Entry(0).path == dir.file("demo.mp3");
        },
        kGenerousWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Player().EngineState() == kEnginePlaying; },
                                kGenerousWaitMs));
    EXPECT_FALSE(SendToRunningInstance(name + "-nobody", quoted));
}

TEST_F(WindowFixture, PlaylistAndSettingsSurviveARestart) {
    {
        auto player = Open();
        CMainWindow& window = player->Window();
        window.AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3")),
                                QString::fromStdString(dir.file("short.mp3"))});
        window.close();
    }
    ASSERT_TRUE(std::filesystem::exists(sessionOptions.profileFolder + "/velkaro.INI"));
    auto player = Open();
    CMainWindow& window = player->Window();
    ASSERT_EQ(window.List().Count(), 2);
    EXPECT_EQ(window.List().Entry(1).path, dir.file("short.mp3"));
    EXPECT_TRUE(window.Player().flags.loop);
}

TEST_F(WindowFixture, TrayStartShowsNoWindowAndLoadsTheFavourite) {
    {
        auto player = Open();
        CMainWindow& window = player->Window();
        window.AddDroppedPaths({QString::fromStdString(dir.file("short.mp3"))});
    }
    options.commandLine = "-tray";
    auto player = Open();
    CMainWindow& window = player->Window();
    EXPECT_FALSE(window.isVisible() && !window.isMinimized());
    EXPECT_EQ(window.List().Count(), 1);
    EXPECT_EQ(window.Player().EngineState(), kEngineStopped);  // nothing plays by itself
}

TEST_F(WindowFixture, CaptionsAndTooltipsAreTheDesignsOwn) {
    auto player = Open();
    CMainWindow& window = player->Window();
    EXPECT_EQ(window.windowTitle(), QString("Velkaro"));
    const std::pair<int, const char*> tips[] = {
        {ids::kTitleDisplay, "再生中の曲のｱｰﾃｨｽﾄ/曲名を表示"},
        {ids::kPlay, "曲を再生/一時停止"},
        {ids::kStop, "曲の再生を停止"},
        {ids::kPrevious, "前の曲を再生"},
        {ids::kNext, "次の曲を再生"},
        {ids::kLoop, "ﾘｽﾄの最後までくると最初から再生"},
        {ids::kRandom, "ﾗﾝﾀﾞﾑに再生"},
        {ids::kVolumeSlider, "ﾎﾞﾘｭｰﾑを調整"},
        {ids::kMute, "音を出す/消す"},
        {ids::kTimeDisplay, "再生時間/残り時間/演奏時間"},
        {ids::kPositionSlider, "再生位置の表示/ｼｰｸ"},
        {ids::kDetail, "ｳｲﾝﾄﾞｳｻｲｽﾞのｺﾝﾊﾟｸﾄ化/ﾌﾙｻｲｽﾞ化"},
        {ids::kOptions, "ｵﾌﾟｼｮﾝ設定"},
        {ids::kFavouritesCombo, "お気に入りのﾘｽﾄ"},
        {ids::kNewFavourite, "お気に入りを新規に追加"},
        {ids::kFileCount, "ﾘｽﾄに表示されているﾌｧｲﾙ数"},
        {ids::kTotalTime, "ﾘｽﾄに表示されている曲の総演奏時間"},
        {ids::kSpeed, "再生速度"},
        {ids::kPitch, "再生ﾋﾟｯﾁ"},
    };
    for (const auto& [id, tip] : tips) {
        auto* control = window.findChild<QWidget*>(ids::ControlObjectName(id));
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(control->toolTip(), QString::fromUtf8(tip)) << id;
    }
    auto* play = window.findChild<QPushButton*>(ids::ControlObjectName(ids::kPlay));
    EXPECT_EQ(play->text(), QString::fromUtf8("再生"));
    auto* pitch = window.findChild<QToolButton*>(ids::ControlObjectName(ids::kPitch));
    EXPECT_EQ(pitch->text(), QString("100%"));
    auto* speed = window.findChild<QToolButton*>(ids::ControlObjectName(ids::kSpeed));
    EXPECT_EQ(speed->text(), QString("x1"));
    auto* combo = window.findChild<QComboBox*>(ids::ControlObjectName(ids::kFavouritesCombo));
    EXPECT_EQ(combo->currentText(), QString::fromUtf8("ノーマル"));
}

TEST_F(WindowFixture, PitchAndSpeedClicksFollowTheirCycles) {
    auto player = Open();
    CMainWindow& window = player->Window();
    auto* pitch = window.findChild<QToolButton*>(ids::ControlObjectName(ids::kPitch));
    auto* speed = window.findChild<QToolButton*>(ids::ControlObjectName(ids::kSpeed));
    pitch->click();
    EXPECT_EQ(pitch->text(), QString("110%"));
    for (int i = 0; i < 10; ++i) speed->click();
    EXPECT_EQ(speed->text(), QString("x1"));
}

// Off X11 the hotkeys work while the player has the focus: Ctrl+N in slot 3 is "next song", and
// holding Shift as well does not stop it.
TEST_F(WindowFixture, FocusedHotkeyWithExtraModifierPlaysTheNextSong) {
    std::filesystem::create_directories(sessionOptions.profileFolder);
    std::ofstream(sessionOptions.profileFolder + "/velkaro.INI")
        << "[Custom]\nShortcut Key3=" << ((kModCtrl << 8) | 'N') << "\n";
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3")),
                            QString::fromStdString(dir.file("demo.mp3"))});
    const auto mods = Qt::ControlModifier | Qt::ShiftModifier;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_N, mods, 0, 0x6E /* XK_n */, 0);
    QApplication::sendEvent(&window.ListView(), &press);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.List().Entry(1).played; }, kGenerousWaitMs));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_N, mods, 0, 0x6E, 0);
    QApplication::sendEvent(&window.ListView(), &release);
}

TEST_F(WindowFixture, DetailButtonSwitchesCompactAndFull) {
    auto player = Open();
    CMainWindow& window = player->Window();
    const int fullHeight = window.height();
    auto* detail = window.findChild<QPushButton*>(ids::ControlObjectName(ids::kDetail));
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->text(), QString::fromUtf8("詳細"));
    detail->click();
    EXPECT_TRUE(window.IsCompact());
    EXPECT_EQ(window.height(), kCompactHeight);
    detail->click();
    EXPECT_FALSE(window.IsCompact());
    EXPECT_EQ(window.height(), fullHeight);
}

// VELKARO_SCREENSHOT=FILE keeps a picture of the window with a song playing, to look at.
TEST_F(WindowFixture, ScreenshotOfTheMainWindow) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3")),
                            QString::fromStdString(dir.file("short.mp3"))});
    DoubleClickRow(window, 0);
    const QImage image = window.grab().toImage();
    EXPECT_EQ(image.width(), window.width());
    const char* keep = std::getenv("VELKARO_SCREENSHOT");
    const std::string file = keep && *keep ? keep : dir.file("window.png");
    EXPECT_TRUE(image.save(QString::fromStdString(file)));
}

// The picture of `--screenshot --at 3` shows the song paused at 0:03. A click on the position
// slider's bar is a seek like a release; paging past the end of the 12-second song while
// paused stops a second short of it, so the song stays paused.
TEST_F(WindowFixture, PictureAtThreeSecondsShowsThePausedPositionAndAPageStepSeeks) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3"))});
    CommandLine request;
    request.mode = CommandLine::Mode::kPicture;
    request.pictureFile = dir.file("at3.png");
    request.atSeconds = 3;
    int exitCode = -1;
    TakeWindowPicture(window, request, [&](int code) { exitCode = code; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return exitCode >= 0; }, kGenerousWaitMs));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(window.TimeDisplayText(), QString("0:03"));
    EXPECT_EQ(window.Player().EngineState(), kEnginePaused);
    EXPECT_TRUE(QImage(QString::fromStdString(dir.file("at3.png"))).width() > 0);

    auto* slider = window.findChild<QSlider*>(ids::ControlObjectName(ids::kPositionSlider));
    ASSERT_NE(slider, nullptr);
    slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            window.Session().ClockTick();
            return window.TimeDisplayText() == QString("0:11");
        },
        kGenerousWaitMs));
    EXPECT_EQ(slider->value(), 11);
    EXPECT_EQ(window.Player().EngineState(), kEnginePaused);
}

// The compact window shows only the transport part: nothing of the lower panel lies over it.
TEST_F(WindowFixture, CompactWindowHidesTheLowerPanel) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.findChild<QPushButton*>(ids::ControlObjectName(ids::kDetail))->click();
    for (int id : {ids::kFileCount, ids::kTotalTime, ids::kPlaylist, ids::kFavouritesCombo}) {
        EXPECT_FALSE(window.findChild<QWidget*>(ids::ControlObjectName(id))->isVisibleTo(&window))
            << id;
    }
    window.findChild<QPushButton*>(ids::ControlObjectName(ids::kDetail))->click();
    EXPECT_TRUE(
        window.findChild<QWidget*>(ids::ControlObjectName(ids::kTotalTime))->isVisibleTo(&window));
}

TEST_F(WindowFixture, LyricsEditTabShowsTheEditorAndHoldsTheSong) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3")),
                            QString::fromStdString(dir.file("short.mp3"))});
    ASSERT_EQ(window.List().Count(), 2);
    window.ListView().SelectRows({1});
    auto* tab = window.findChild<QPushButton*>(ids::ControlObjectName(ids::kLyricsEditTab));
    ASSERT_TRUE(tab);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tab->isEnabled(); }, kGenerousWaitMs));
    tab->click();
    EXPECT_TRUE(window.InLyricsEdit());
    EXPECT_TRUE(tab->isChecked());
    EXPECT_TRUE(window.LyricsEditor().isVisible());
    EXPECT_FALSE(window.ListView().isVisible());
    EXPECT_EQ(window.List().CurrentIndex(), 1);
    EXPECT_EQ(window.LyricsEditor().Row(), 1);
    auto button = [&](int id) {
        return window.findChild<QPushButton*>(ids::ControlObjectName(id));
    };
    EXPECT_FALSE(button(ids::kPrevious)->isEnabled());
    EXPECT_FALSE(button(ids::kNext)->isEnabled());
    EXPECT_TRUE(button(ids::kPlay)->isEnabled());

    button(lyrics_edit_ids::kReturn)->click();
    EXPECT_FALSE(window.InLyricsEdit());
    EXPECT_FALSE(tab->isChecked());
    EXPECT_TRUE(window.ListView().isVisible());
    EXPECT_TRUE(button(ids::kNext)->isEnabled());
}

TEST_F(WindowFixture, SavedLyricsReachThePlayingSongAtOnce) {
    auto player = Open();
    CMainWindow& window = player->Window();
    window.Session().Settings().lyrics.lyrics3 = false;
    window.AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3"))});
    ASSERT_EQ(window.List().Count(), 1);
    window.Player().PlayRow(0);
    ASSERT_EQ(window.Session().EngineState(), kEnginePlaying);
    window.ListView().SelectRows({0});
    window.EnterLyricsEdit();
    LyricsEditPanel& panel = window.LyricsEditor();
    panel.SetAsker([](const QString&, QMessageBox::StandardButtons) { return QMessageBox::Yes; });
    panel.SetClipboardSource([] { return QString("[00:00:00]new line"); });
    panel.PasteLyrics();
    panel.SaveLyrics();
    EXPECT_FALSE(panel.Editor().Modified());
    EXPECT_TRUE(std::filesystem::exists(dir.file("demo.txt")));
    EXPECT_EQ(window.List().Entry(0).lyricsMark, kLyricsMark);
    LyricsViewText view;
    ASSERT_TRUE(engine.CurrentLyricsView(view));
    EXPECT_EQ(view.current, "new line");
}

}  // namespace
}  // namespace velk::app
