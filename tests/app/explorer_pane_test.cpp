// The explorer pane in the main window, over real folders in a temporary place and a trash in a
// temporary XDG_DATA_HOME: explorer mode and the active list, filling, sorting, the buttons,
// deleting, renaming, favourites and the folder's own changes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/favourites.h"
#include "explorer/core/explorer_view.h"
#include "fake_engine.h"
#include "queue_host.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;
using velk::test::TempDir;

constexpr int kGenerousWaitMs = 20000;

void WriteFile(const std::string& path, size_t bytes = 0) {
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

QString Q(const std::string& path) {
    return QString::fromStdString(path);
}

class ExplorerPaneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* xdg = std::getenv("XDG_DATA_HOME");
        if (xdg) oldXdg_ = xdg;
        hadXdg_ = xdg != nullptr;
        setenv("XDG_DATA_HOME", dir.file("xdg").c_str(), 1);
        fs::create_directories(dir.file("music/sub"));
        WriteFile(music("a.MP3"), 9 * 1024);
        WriteFile(music("b.mp3"), 1048577);
        WriteFile(music("b.txt"));
        fs::create_symlink(music("a.MP3"), music("c.mp3"));
        WriteFile(music("sub/d.wav"));
    }

    void TearDown() override {
        if (window) window->close();
        window.reset();
        session.reset();
        if (hadXdg_) {
            setenv("XDG_DATA_HOME", oldXdg_.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }

    void Open(const std::string& ini = {}) {
        SessionOptions options;
        options.profileFolder = dir.file("profile");
        if (!ini.empty()) {
            fs::create_directories(options.profileFolder);
            std::ofstream(options.profileFolder + "/velkaro.INI") << ini;
        }
        session = std::make_unique<PlayerSession>(engine, host, options);
        window = std::make_unique<CMainWindow>(*session, StartOptions{});
        window->Start();
        Pane().SetTeller([this](const QString& message) { told << message; });
        Pane().SetAsker([](const QString&) { return true; });
        Pane().SetFolderOpener([this](const QString& folder) { opened << folder; });
    }

    ExplorerPane& Pane() { return window->Explorer(); }
    std::string music(const std::string& name = {}) const {
        return dir.file("music") + (name.empty() ? "" : "/" + name);
    }
    std::string trash(const std::string& part) const { return dir.file("xdg/Trash/" + part); }

    template <typename Widget>
    Widget* Control(int id) {
        return window->findChild<Widget*>(ids::ControlObjectName(id));
    }

    void OpenExplorer() { Control<QPushButton>(ids::kExplorerTab)->click(); }

    void ShowFolder(const std::string& folder) {
        Pane().ShowFolder(Q(folder));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Pane().IsFilling(); }, kGenerousWaitMs));
    }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int i = 0; i < Pane().List().Count(); ++i)
            names.push_back(Pane().List().Entry(i).fileName);
        return names;
    }

    QString Header(int column) {
        return Pane().ListModel().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }

    TempDir dir;
    test::FakeEngine engine;
    QueueHost host;
    std::unique_ptr<PlayerSession> session;
    std::unique_ptr<CMainWindow> window;
    QStringList told;
    QStringList opened;

  private:
    std::string oldXdg_;
    bool hadXdg_ = false;
};

TEST_F(ExplorerPaneTest, TheTabMakesThePaneTheActiveListUntilTheFavouritesTabIsPressed) {
    Open();
    session->AddLines({music("a.MP3")});
    OpenExplorer();
    EXPECT_TRUE(window->InExplorerMode());
    EXPECT_EQ(&session->Active(), &Pane().List());
    EXPECT_TRUE(Pane().isVisible());
    EXPECT_FALSE(window->ListView().isVisible());
    EXPECT_FALSE(Control<QComboBox>(ids::kFavouritesCombo)->isEnabled());
    EXPECT_FALSE(Control<QWidget>(ids::kTotalTime)->isVisible());

    ShowFolder(music());
    // The text file, the link and the folder are no rows.
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.MP3", "b.mp3"}));
    EXPECT_EQ(Pane().ListModel().index(1, kExplorerSize).data().toString(), "1,025 KB");
    EXPECT_TRUE(Control<QPushButton>(ids::kPlay)->isEnabled());
    const QModelIndex second = Pane().ListModel().index(1, 0);
    const QPoint cell = Pane().ListView().visualRect(second).center();
    QTest::mouseClick(Pane().ListView().viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(Pane().ListView().viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(engine.LastOpened(), music("b.mp3"));
    EXPECT_EQ(Pane().List().CurrentIndex(), 1);
    EXPECT_EQ(second.data(Qt::BackgroundRole).value<QColor>(),
              FromColorRef(session->Settings().main.currentLineColor));

    Control<QPushButton>(ids::kFavouritesTab)->click();
    EXPECT_FALSE(window->InExplorerMode());
    EXPECT_EQ(engine.state, kEngineStopped);
    EXPECT_EQ(&session->Active(), &session->MainList());
    EXPECT_TRUE(window->ListView().isVisible());
    EXPECT_FALSE(Pane().isVisible());
    EXPECT_TRUE(Control<QComboBox>(ids::kFavouritesCombo)->isEnabled());
}

TEST_F(ExplorerPaneTest, SelectingAnotherFolderStopsThePanesSong) {
    Open();
    OpenExplorer();
    ShowFolder(music());
    Pane().List().SetCurrentIndex(1);
    session->Player().PlayCurrent(false);
    ASSERT_EQ(engine.state, kEnginePlaying);
    ShowFolder(music("sub"));
    EXPECT_EQ(engine.state, kEngineStopped);
    EXPECT_EQ(Pane().List().CurrentIndex(), 0);
    EXPECT_EQ(Names(), std::vector<std::string>{"d.wav"});
    EXPECT_EQ(Pane().TreeModel().PathOf(Pane().Tree().currentIndex()), Q(music("sub")));
}

// The equalizer panel lies over the pane for a while; coming back, the song plays on.
TEST_F(ExplorerPaneTest, LeavingTheEqualizerPanelForThePaneKeepsPlaying) {
    Open();
    OpenExplorer();
    ShowFolder(music());
    Pane().List().SetCurrentIndex(0);
    session->Player().PlayCurrent(false);
    Control<QPushButton>(ids::kGeqTab)->click();
    EXPECT_FALSE(Pane().isVisible());
    OpenExplorer();
    EXPECT_EQ(engine.state, kEnginePlaying);
    EXPECT_TRUE(Pane().isVisible());
    EXPECT_TRUE(Control<QPushButton>(ids::kExplorerTab)->isChecked());
}

TEST_F(ExplorerPaneTest, HeaderClicksSortTheSizeAsANumberAndShowTheArrows) {
    Open();
    OpenExplorer();
    WriteFile(music("c9.mp3"), 9 * 1024 - 5);
    ShowFolder(music());
    QHeaderView* header = Pane().DetailsView().horizontalHeader();
    Pane().SelectRows({1});  // b.mp3
    emit header->sectionClicked(kExplorerSize);
    EXPECT_EQ(Header(kExplorerSize), QString::fromUtf8("△ｻｲｽﾞ"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.MP3", "c9.mp3", "b.mp3"}));
    EXPECT_EQ(Pane().SelectedRows(), std::vector<int>{2});  // the selection went with its row
    emit header->sectionClicked(kExplorerSize);
    EXPECT_EQ(Header(kExplorerSize), QString::fromUtf8("▽ｻｲｽﾞ"));
    EXPECT_EQ(Names().front(), "b.mp3");
    emit header->sectionClicked(kExplorerName);
    EXPECT_EQ(Header(kExplorerSize), QString::fromUtf8("ｻｲｽﾞ"));
    EXPECT_EQ(Header(kExplorerName), QString::fromUtf8("△名前"));
    // A new filling clears the arrows.
    ShowFolder(music());
    EXPECT_EQ(Header(kExplorerName), QString::fromUtf8("名前"));
}

TEST_F(ExplorerPaneTest, TheButtonsCycleTheirSettingsAndTheListsChooseAValue) {
    Open();
    OpenExplorer();
    auto* view = Control<QToolButton>(explorer_ids::kViewType);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->text(), QString::fromUtf8("詳細"));
    EXPECT_EQ(view->toolTip(), QString::fromUtf8("ﾌｧｲﾙの表示ﾀｲﾌﾟを変更"));
    Pane().SetViewType(kDetailsWithGrid);
    EXPECT_TRUE(Pane().DetailsView().showGrid());
    view->click();
    EXPECT_EQ(session->Settings().main.explorerViewType, kLargeIcons);
    EXPECT_EQ(view->text(), QString::fromUtf8("大きなｱｲｺﾝ"));
    EXPECT_NE(&Pane().ListView(), &Pane().DetailsView());
    view->menu()->actions().at(kListView)->trigger();
    EXPECT_EQ(session->Settings().main.explorerViewType, kListView);

    auto* split = Control<QToolButton>(explorer_ids::kSplit);
    split->click();
    EXPECT_EQ(session->Settings().main.explorerSplit, kOneAboveTheOther);
    EXPECT_EQ(split->text(), QString::fromUtf8("縦分割"));
    auto* selection = Control<QToolButton>(explorer_ids::kFolderSelection);
    selection->click();
    EXPECT_EQ(session->Settings().main.explorerFolderSel, kSingleClick);
    EXPECT_TRUE(Pane().Tree().SingleClickSelection());

    auto* folders = Control<QCheckBox>(explorer_ids::kShowFolders);
    folders->click();
    EXPECT_EQ(session->Settings().main.explorerShowFolder, 0);
    EXPECT_FALSE(Pane().Tree().isVisible());
    EXPECT_FALSE(Control<QWidget>(explorer_ids::kSplitterBar)->isVisible());
}

// The file goes into the trash with its .trashinfo, its row goes, the other file stays; the
// Recycle Bin shows it and emptying the bin removes it for good.
TEST_F(ExplorerPaneTest, DeleteMovesIntoTheTrashAndEmptyingTheBinClearsItsRows) {
    Open();
    OpenExplorer();
    ShowFolder(music());
    Pane().SelectRows({0});
    Pane().DeleteSelectedFiles();
    EXPECT_EQ(Names(), std::vector<std::string>{"b.mp3"});
    EXPECT_FALSE(fs::exists(music("a.MP3")));
    EXPECT_TRUE(fs::exists(music("b.mp3")));
    EXPECT_TRUE(fs::exists(trash("files/a.MP3")));
    EXPECT_TRUE(fs::exists(trash("info/a.MP3.trashinfo")));

    ShowFolder(trash("files"));
    EXPECT_TRUE(Pane().RecycleBinShown());
    EXPECT_EQ(Names(), std::vector<std::string>{"a.MP3"});
    Pane().SelectRows({0});
    Pane().DeleteSelectedFiles();  // the bin's own files are not deleted again
    EXPECT_TRUE(fs::exists(trash("files/a.MP3")));
    Pane().EmptyRecycleBin();
    EXPECT_EQ(Pane().List().Count(), 0);
    EXPECT_FALSE(fs::exists(trash("files/a.MP3")));
    EXPECT_FALSE(fs::exists(trash("info/a.MP3.trashinfo")));
}

// Qt spells such a name with U+FFFD; the file is trashed by its own bytes, and the file of that
// spelling stays.
TEST_F(ExplorerPaneTest, ANameThatIsNotUtf8IsListedAndDeletedByItsBytes) {
    fs::create_directories(dir.file("odd"));
    WriteFile(dir.file("odd/\xff.mp3"));
    WriteFile(dir.file("odd/\xef\xbf\xbd.mp3"));
    Open();
    OpenExplorer();
    ShowFolder(dir.file("odd"));
    ASSERT_EQ(Pane().List().Count(), 2);
    const int odd = Pane().List().Entry(0).fileName == "\xff.mp3" ? 0 : 1;
    EXPECT_FALSE(Pane().ListModel().index(odd, 0).data().toString().isEmpty());
    Pane().SelectRows({odd});
    Pane().DeleteSelectedFiles();
    EXPECT_EQ(Names(), std::vector<std::string>{"\xef\xbf\xbd.mp3"});
    EXPECT_TRUE(fs::exists(trash("files/\xff.mp3")));
    EXPECT_TRUE(fs::exists(dir.file("odd/\xef\xbf\xbd.mp3")));
}

// With the trash's folders replaced by a file nothing is deleted: every row stays, and the
// user hears of it once.
TEST_F(ExplorerPaneTest, AnUnusableTrashDeletesNothingAndSaysSo) {
    Open();
    OpenExplorer();
    ShowFolder(music());
    fs::remove_all(trash("info"));
    WriteFile(trash("info"));
    Pane().SelectRows({0, 1});
    Pane().DeleteSelectedFiles();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.MP3", "b.mp3"}));
    EXPECT_TRUE(fs::exists(music("a.MP3")));
    EXPECT_TRUE(fs::exists(music("b.mp3")));
    EXPECT_EQ(told, QStringList{QString::fromUtf8("ごみ箱に移動できないファイルがありました。")});
}

TEST_F(ExplorerPaneTest, FoldersTheDesktopNeedsAreNotDeleted) {
    Open();
    OpenExplorer();
    Pane().DeleteFolder(QDir::homePath());
    Pane().DeleteFolder(Q(trash("files")));
    EXPECT_EQ(told, QStringList(2, QString::fromUtf8("このフォルダは削除できません。")));
    EXPECT_TRUE(fs::exists(QDir::homePath().toStdString()));
    Pane().DeleteFolder(Q(music("sub")));
    EXPECT_EQ(told.size(), 2);
    EXPECT_FALSE(fs::exists(music("sub")));
    EXPECT_TRUE(fs::exists(trash("files/sub/d.wav")));
}

// The renamed file keeps its row, its song and its place; a name that is taken is refused and
// the other file is left as it was.
TEST_F(ExplorerPaneTest, RenameKeepsTheRowsSongAndNeverOverwrites) {
    Open();
    OpenExplorer();
    ShowFolder(music());
    Pane().List().SetCurrentIndex(0);
    session->Player().PlayCurrent(false);
    Pane().List().Entry(0).title = "Song A";
    ASSERT_TRUE(Pane().ListModel().setData(Pane().ListModel().index(0, kExplorerName),
                                           QString("renamed.mp3"), Qt::EditRole));
    EXPECT_EQ(Pane().List().Entry(0).path, music("renamed.mp3"));
    EXPECT_EQ(Pane().List().Entry(0).title, "Song A");
    EXPECT_TRUE(Pane().List().Entry(0).played);
    EXPECT_EQ(Pane().List().CurrentIndex(), 0);
    EXPECT_EQ(engine.state, kEnginePlaying);
    EXPECT_TRUE(fs::exists(music("renamed.mp3")));

    EXPECT_FALSE(Pane().RenameRow(0, "b.mp3"));
    EXPECT_EQ(told, QStringList{QString::fromUtf8("リネームに失敗しました。")});
    EXPECT_EQ(fs::file_size(music("b.mp3")), 1048577u);
    EXPECT_TRUE(fs::exists(music("renamed.mp3")));
    // The folder's change notice finds the row already under its new name.
    QTest::qWait(300);
    EXPECT_EQ(Names(), (std::vector<std::string>{"renamed.mp3", "b.mp3"}));
}

TEST_F(ExplorerPaneTest, FilesAnotherProgramAddsOrRemovesAppearWithoutARefresh) {
    Open();
    OpenExplorer();
    ShowFolder(music());
    WriteFile(music("new.mp3"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Pane().List().Count() == 3; }, kGenerousWaitMs));
    EXPECT_EQ(Names().back(), "new.mp3");
    fs::rename(music("a.MP3"), music("z.mp3"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return Names() == std::vector<std::string>{"b.mp3", "new.mp3", "z.mp3"};
        },
        kGenerousWaitMs));
}

// Five thousand files fill in steps: the event loop runs between them under the wait cursor.
TEST_F(ExplorerPaneTest, AFolderOfFiveThousandFilesFillsWhileTheEventLoopRuns) {
    fs::create_directories(dir.file("many"));
    for (int i = 0; i < 5000; ++i) WriteFile(dir.file("many/" + std::to_string(i) + ".mp3"));
    Open();
    OpenExplorer();
    int ticksWhileFilling = 0;
    bool waitCursorSeen = false;
    QTimer observer;
    QObject::connect(&observer, &QTimer::timeout, [&] {
        if (!Pane().IsFilling()) return;
        ++ticksWhileFilling;
        waitCursorSeen = waitCursorSeen || QApplication::overrideCursor();
    });
    observer.start(0);
    ShowFolder(dir.file("many"));
    EXPECT_GT(ticksWhileFilling, 0);
    EXPECT_TRUE(waitCursorSeen);
    EXPECT_EQ(Pane().List().Count(), 5000);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The current favourite's file is the playlist's: added files become rows, so no later save
// drops them. Another favourite's file is appended to and keeps what it held.
TEST_F(ExplorerPaneTest, AddingToFavouritesAppendsAndTheCurrentOnesPlaylistShowsIt) {
    Open();
    session->AddLines({music("b.mp3")});
    ASSERT_TRUE(session->NewFavourite("rock"));
    const std::string normal = session->Favourites()[0].path;
    std::ofstream(normal, std::ios::app) << "/kept.mp3\n";
    OpenExplorer();
    ShowFolder(music());
    Pane().AddRowsToFavourite({0}, 1);
    EXPECT_EQ(session->MainList().Count(), 1);
    EXPECT_EQ(session->MainList().Entry(0).path, music("a.MP3"));
    session->SaveCurrentFavourite();
    EXPECT_EQ(ReadFavouriteLines(session->Favourites()[1]),
              std::vector<std::string>{music("a.MP3")});

    Pane().AddFolderToFavourite(Q(music()), 0, true);
    EXPECT_EQ(ReadFavouriteLines(session->Favourites()[0]),
              (std::vector<std::string>{music("b.mp3"), "/kept.mp3", music("a.MP3"), music("b.mp3"),
                                        music("sub/d.wav")}));
}

TEST_F(ExplorerPaneTest, TheLyricsEditorOpensForThePanesRowAndGivesThePaneBack) {
    Open();
    OpenExplorer();
    ShowFolder(music());
    Pane().SelectRows({1});
    emit Pane().editLyricsRequested();
    EXPECT_TRUE(window->InLyricsEdit());
    EXPECT_EQ(window->LyricsEditor().Row(), 1);
    EXPECT_FALSE(Pane().isVisible());
    window->findChild<QPushButton*>(ids::ControlObjectName(lyrics_edit_ids::kReturn))->click();
    EXPECT_FALSE(window->InLyricsEdit());
    EXPECT_TRUE(window->InExplorerMode());
    EXPECT_TRUE(Pane().isVisible());
}

// With "Save Status" the player starts in explorer mode and the first display selects the
// folder shown last; the pane's widths are kept for the next start.
TEST_F(ExplorerPaneTest, ExplorerModeAndTheFolderComeBackAtStart) {
    Open("[Main Window]\nSave Status=1\nShow Mode=1\nExplorer Folder=" + music() +
         "\nExplorer Item Width0=222\n");
    EXPECT_TRUE(window->InExplorerMode());
    EXPECT_EQ(Pane().DetailsView().columnWidth(0), 222);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Pane().List().Count() == 2; }, kGenerousWaitMs));
    EXPECT_EQ(Pane().ShownFolder(), Q(music()));
    Pane().DetailsView().setColumnWidth(3, 77);
    window->close();
    window.reset();
    SettingsStore store(dir.file("profile/velkaro.INI"));
    const PlayerSettings saved = LoadAll(store, 0);
    EXPECT_TRUE(saved.main.showMode);
    EXPECT_EQ(saved.main.explorerItemWidth[3], 77);
    EXPECT_EQ(saved.main.explorerFolder, music());
}

// The property dialog's renames reach the pane's row even when the pane's list is not the one
// transport plays: the playlist's row of the same number stays as it was.
TEST_F(ExplorerPaneTest, EditedRowsOfTheHiddenPaneLeaveThePlaylistAlone) {
    Open();
    session->AddLines({music("b.mp3")});
    const std::string before = session->MainList().Entry(0).displayName;
    OpenExplorer();
    ShowFolder(music());
    Control<QPushButton>(ids::kFavouritesTab)->click();
    Pane().List().Entry(0).title = "New Title";
    session->RowsEdited(Pane().List(), {0});
    EXPECT_EQ(Pane().List().Entry(0).displayName, "New Title");
    EXPECT_EQ(session->MainList().Entry(0).displayName, before);
}

}  // namespace
}  // namespace velk::app
