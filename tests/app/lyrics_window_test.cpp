#include "lyrics/ui/lyrics_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "core/velk_player_engine.h"
#include "fake_engine.h"
#include "lyrics/ui/lyrics_font.h"
#include "lyrics/ui/option_tab2.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"
#include "ui/player_app.h"
#include "ui/window_picture.h"

namespace velk::app {
namespace {

using velk::test::TempDir;

class InlineHost : public SessionHost {
  public:
    void SetClockRunning(bool) override {}
    void PostToOwner(std::function<void()> task) override { task(); }
    void PumpEvents() override {}
};

// The window over a scripted engine: what it shows and when it is in view.
class LyricsWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        options.profileFolder = dir.file("profile");
        std::filesystem::create_directories(options.profileFolder);
        std::ofstream(dir.file("song.mp3")) << "x";
        session = std::make_unique<PlayerSession>(engine, host, options);
        session->ApplySettings();
        window = std::make_unique<LyricsWindow>(*session);
        session->AddLines({dir.file("song.mp3")});
    }
    void TearDown() override {
        window.reset();
        session.reset();
    }
    void PlayWithLyrics(bool lyrics) {
        engine.sideFileLoads = lyrics;
        session->Active().SetCurrentIndex(0);
        session->Player().PlayCurrent(false);
    }

    TempDir dir;
    SessionOptions options;
    test::FakeEngine engine;
    InlineHost host;
    std::unique_ptr<PlayerSession> session;
    std::unique_ptr<LyricsWindow> window;
};

LyricsViewText Line(int line, const std::string& current, const std::string& next = "") {
    LyricsViewText v;
    v.time = 1000 * line;
    v.line = line;
    v.segment = 1;
    v.untilNext = 500;
    v.segmentText = current;
    v.sungThrough = current;
    v.current = current;
    v.next = next;
    return v;
}

TEST_F(LyricsWindowFixture, ShownWhileASongWithLyricsPlaysAndUpdatedOnlyWhilePlaying) {
    ASSERT_EQ(session->Active().Count(), 1);
    EXPECT_FALSE(window->isVisible());  // "Exist": nothing to show before a song
    PlayWithLyrics(true);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->UpdatesRunning());
    EXPECT_TRUE(window->Display().TitleMode());

    engine.lyricsView = Line(4, "ヴェ[00:00:90]ルカロ", "@Title=x");
    window->UpdateNow();
    EXPECT_EQ(window->Display().Slots()[2], "ヴェルカロ");
    EXPECT_EQ(window->Display().Slots()[3], "");

    session->Player().PlayPause();
    EXPECT_FALSE(window->UpdatesRunning());
    session->Player().PlayPause();
    EXPECT_TRUE(window->UpdatesRunning());

    session->Player().Stop();
    EXPECT_FALSE(window->UpdatesRunning());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->Display().Slots()[2], "");
    EXPECT_EQ(session->Settings().lyrics.showFlag, 0);
}

TEST_F(LyricsWindowFixture, WithoutLyricsItStaysHiddenEvenWhenTheMainWindowGoesToTheTray) {
    PlayWithLyrics(false);
    EXPECT_FALSE(window->isVisible());
    session->MainWindowMinimised();
    EXPECT_FALSE(window->isVisible());

    session->Settings().lyrics.exist = false;
    session->ApplySettings();
    EXPECT_TRUE(window->isVisible());
    session->Settings().lyrics.show = false;
    session->ApplySettings();
    EXPECT_FALSE(window->isVisible());
    session->MainWindowMinimised();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(LyricsWindowFixture, AutoSizeGrowsForALongLineAndNeverShrinksAndTheRecordFollows) {
    PlayWithLyrics(true);
    engine.lyricsView = Line(1, "short");
    window->UpdateNow();
    const int before = window->width();
    engine.lyricsView = Line(2, std::string(120, 'W'));
    window->UpdateNow();
    const int grown = window->width();
    EXPECT_GT(grown, before);
    engine.lyricsView = Line(3, "a");
    window->UpdateNow();
    EXPECT_EQ(window->width(), grown);
    const Rect& kept = session->Settings().lyrics.window;
    EXPECT_EQ(kept.right - kept.left, grown);
}

TEST_F(LyricsWindowFixture, SaveStatusKeepsThePlaceAndTheShowFlagForTheNextRun) {
    session->Settings().lyrics.saveStatus = true;
    WriteLyricsWindowOptions(session->Store(), session->Settings().lyrics);
    PlayWithLyrics(true);
    window->setGeometry(120, 80, 300, 210);
    session->Shutdown(50);
    const LyricsWindowSettings kept = ReadLyricsWindowSettings(session->Store());
    EXPECT_EQ(kept.window.left, 120);
    EXPECT_EQ(kept.window.top, 80);
    EXPECT_EQ(kept.window.right, 420);
    EXPECT_EQ(kept.window.bottom, 290);
    EXPECT_EQ(kept.showFlag, 1);
}

TEST_F(LyricsWindowFixture, SeekEmptiesTheSlotsAndRefillsAtOnce) {
    PlayWithLyrics(true);
    engine.lyricsView = Line(1, "one", "two");
    window->UpdateNow();
    engine.lyricsView = Line(2, "two", "three");
    window->UpdateNow();
    EXPECT_EQ(window->Display().Slots()[1], "one");
    session->Player().SeekTo(5);
    EXPECT_EQ(window->Display().Slots()[1], "");
    EXPECT_EQ(window->Display().Slots()[2], "two");
}

TEST_F(LyricsWindowFixture, OptionPageShowsTheRecordAndAppliesIt) {
    COptionTab2 page(*session, nullptr);
    EXPECT_EQ(page.Caption(), QStringLiteral("歌詞ｳｲﾝﾄﾞｳ"));
    auto* lines = page.findChild<QSpinBox*>(ids::ControlObjectName(COptionTab2::kLines));
    auto* trans = page.findChild<QCheckBox*>(ids::ControlObjectName(COptionTab2::kTrans));
    auto* value = page.findChild<QSpinBox*>(ids::ControlObjectName(COptionTab2::kTransValue));
    auto* show = page.findChild<QCheckBox*>(ids::ControlObjectName(COptionTab2::kShow));
    auto* preview = page.findChild<QLabel*>(ids::ControlObjectName(COptionTab2::kTitlePreview));
    ASSERT_TRUE(lines && trans && value && show && preview);
    EXPECT_EQ(preview->text(), QStringLiteral("あ"));
    EXPECT_EQ(lines->value(), 5);
    EXPECT_EQ(lines->maximum(), 5);
    EXPECT_FALSE(value->isEnabled());
    trans->setChecked(true);
    EXPECT_TRUE(value->isEnabled());
    show->setChecked(false);
    EXPECT_FALSE(lines->isEnabled());
    show->setChecked(true);
    lines->setValue(3);
    value->setValue(300);
    page.Apply();
    EXPECT_EQ(session->Settings().lyrics.lines, 3);
    EXPECT_EQ(session->Settings().lyrics.transValue, 255);
    EXPECT_TRUE(session->Settings().lyrics.trans);
    EXPECT_EQ(ReadLyricsWindowSettings(session->Store()).lines, 3);
    EXPECT_DOUBLE_EQ(window->windowOpacity(), 1.0);  // 255 is opaque
}

TEST(LyricsFont, QtFontsFollowTheStringsAndDamagedOnesFallBack) {
    const QFont title = FontFromString(kDefaultLyricsTitleFont, kDefaultLyricsTitleFont);
    EXPECT_EQ(title.pixelSize(), 19);
    EXPECT_EQ(title.weight(), QFont::Bold);
    const QFont damaged = FontFromString("12|bad", kDefaultLyricsNormalFont);
    EXPECT_EQ(damaged.pixelSize(), 16);
    const QFont huge =
        FontFromString("-2147483648|0|0|0|99999|1|0|0|128|3|2|1|49||", kDefaultLyricsNormalFont);
    EXPECT_LE(huge.pixelSize(), 1000);
    EXPECT_TRUE(huge.italic());

    QFont chosen = title;
    chosen.setPixelSize(23);
    chosen.setItalic(true);
    const std::string text = FontToString(chosen, kDefaultLyricsTitleFont);
    const QFont back = FontFromString(text, kDefaultLyricsNormalFont);
    EXPECT_EQ(back.pixelSize(), 23);
    EXPECT_TRUE(back.italic());
    EXPECT_EQ(back.family(), chosen.family());
    EXPECT_NE(text.find("|128|3|2|1|49|"), std::string::npos);  // kept from before
}

// The real engine and demo.mp3 (its Lyrics3 block holds the karaoke lyrics): the picture at
// four seconds shows the second sung line with the two after it, part of it wiped.
TEST(LyricsWindowPicture, FourSecondsIntoTheDemoShowsTheLinesAroundThatPosition) {
    setenv("VELKARO_AUDIO", "null:4", 1);
    TempDir dir;
    std::filesystem::copy_file(std::string(VELK_TEST_DATA_DIR) + "/demo.mp3", dir.file("demo.mp3"));
    SessionOptions sessionOptions;
    sessionOptions.profileFolder = dir.file("profile");
    VelkPlayerEngine engine;
    PlayerApp player(engine, sessionOptions, StartOptions{});
    player.Window().Start();
    player.Window().AddDroppedPaths({QString::fromStdString(dir.file("demo.mp3"))});
    CommandLine request;
    request.mode = CommandLine::Mode::kPicture;
    request.pictureFile = dir.file("lyrics.png");
    request.window = "lyrics";
    request.atSeconds = 4;
    int exitCode = -1;
    TakeWindowPicture(player.Window(), request, [&](int code) { exitCode = code; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return exitCode >= 0; }, 20000));
    EXPECT_EQ(exitCode, 0);

    const LyricsDisplay& shown = player.Lyrics().Display();
    EXPECT_FALSE(shown.TitleMode());
    EXPECT_EQ(shown.Slots()[2], "ひかるおとがまわる");
    EXPECT_EQ(shown.Slots()[3], "歌詞はゆっくり");
    EXPECT_EQ(shown.Slots()[4], "La la Velkaro");
    EXPECT_EQ(shown.SungBefore(), "ひか");
    EXPECT_EQ(shown.SungThrough(), "ひかる");

    const QImage image(QString::fromStdString(dir.file("lyrics.png")));
    ASSERT_EQ(image.size(), player.Lyrics().size());
    int wiped = 0;  // pixels of the current colour (red) on the current line
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(255, 0, 0)) ++wiped;
    EXPECT_GT(wiped, 0);
}

}  // namespace
}  // namespace velk::app
