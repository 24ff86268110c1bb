#include "core/favourites.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/file_intake.h"
#include "core/player_session.h"
#include "dialogs/core/favourites_editor.h"
#include "fake_engine.h"
#include "queue_host.h"
#include "support/temp_dir.h"

namespace velk::app {
namespace {

using velk::test::TempDir;

std::vector<std::string> FileLines(const std::string& path) {
    return ReadFavouriteLines({"", path});
}

void WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

struct FavouritesFixture : ::testing::Test {
    TempDir dir;
    test::FakeEngine engine;
    QueueHost host;
    std::unique_ptr<PlayerSession> session = Make();

    std::unique_ptr<PlayerSession> Make() {
        SessionOptions options;
        options.profileFolder = dir.file("profile");
        return std::make_unique<PlayerSession>(engine, host, options);
    }
    std::string Profile(const std::string& name) const { return dir.file("profile/" + name); }
    std::string Normal() const { return Profile("お気に入り/ノーマル.m3u"); }
    std::vector<std::string> Paths(PlayerSession& s) {
        std::vector<std::string> paths;
        for (int i = 0; i < s.MainList().Count(); ++i) paths.push_back(s.MainList().Entry(i).path);
        return paths;
    }
    std::vector<std::string> Paths() { return Paths(*session); }
    // A restart: the settings and the favourite go to disk, a new session reads them back.
    void Restart() {
        session->Shutdown(50);
        session = Make();
        session->LoadSelectedFavourite();
    }
};

TEST_F(FavouritesFixture, AFirstStartHasOnlyNormalInTheFavouritesFolder) {
    ASSERT_EQ(session->Favourites().size(), 1u);
    EXPECT_EQ(session->Favourites()[0].name, "ノーマル");
    EXPECT_EQ(session->Favourites()[0].path, Normal());
    session->LoadSelectedFavourite();  // a missing file is an empty list
    EXPECT_EQ(session->MainList().Count(), 0);
}

// Plain rows come back as their paths; member rows with title, artist, length and offset,
// without the archive being opened.
TEST_F(FavouritesFixture, PlainAndMemberRowsSurviveARestart) {
    const std::string member = "/music/box.zip|song.mp3|タイトル|Artist|245|1500";
    session->AddLines({"/music/a b.mp3", member, "/music/ソ.mp3"});
    Restart();
    ASSERT_EQ(session->MainList().Count(), 3);
    // The row's six fields make the same line again.
    EXPECT_EQ(FavouriteLine(session->MainList().Entry(1)), member);
    EXPECT_EQ(session->MainList().Entry(1).displayName, "タイトル");
    EXPECT_EQ(FileLines(Normal()),
              (std::vector<std::string>{"/music/a b.mp3", member, "/music/ソ.mp3"}));
    EXPECT_TRUE(engine.opened.empty());
}

TEST_F(FavouritesFixture, SwitchingSavesTheOldListLoadsTheNewAndTheSameIndexDoesNothing) {
    session->AddLines({"/n1.mp3", "/n2.mp3"});
    ASSERT_TRUE(session->NewFavourite("rock"));
    EXPECT_EQ(session->CurrentFavourite(), 1);
    EXPECT_EQ(session->MainList().Count(), 0);
    EXPECT_EQ(FileLines(Normal()), (std::vector<std::string>{"/n1.mp3", "/n2.mp3"}));
    session->AddLines({"/r1.mp3"});

    session->SwitchFavourite(0);
    EXPECT_EQ(Paths(), (std::vector<std::string>{"/n1.mp3", "/n2.mp3"}));
    EXPECT_EQ(FileLines(Profile("お気に入り/rock.m3u")), std::vector<std::string>{"/r1.mp3"});

    std::filesystem::remove(Normal());
    session->SwitchFavourite(0);  // already current: no save, no reload
    session->SwitchFavourite(7);  // no such favourite
    EXPECT_FALSE(std::filesystem::exists(Normal()));
    EXPECT_EQ(session->MainList().Count(), 2);

    session->SwitchFavourite(1);
    EXPECT_EQ(Paths(), std::vector<std::string>{"/r1.mp3"});
    Restart();  // "Select Favorite" brings back the favourite that was current
    EXPECT_EQ(session->CurrentFavourite(), 1);
    EXPECT_EQ(Paths(), std::vector<std::string>{"/r1.mp3"});
}

TEST_F(FavouritesFixture, ANewFavouriteOfAnExistingNameIsRefusedAndTheKeysAreWrittenAtOnce) {
    EXPECT_FALSE(session->NewFavourite("ノーマル"));
    ASSERT_TRUE(session->NewFavourite("jazz"));
    SettingsStore store(Profile("velkaro.INI"));
    EXPECT_EQ(store.ReadInt("Main Window", "Favorite Count", 0), 2);
    EXPECT_EQ(store.ReadString("Main Window", "Favorite Name1", ""), "jazz");
    EXPECT_EQ(store.ReadString("Main Window", "Favorite Path Name1", ""),
              Profile("お気に入り/jazz.m3u"));
}

// Whatever a favourite file holds, it loads without harm, and what loads is written back.
TEST_F(FavouritesFixture, DamagedFavouriteFilesLoseNothing) {
    std::string garbage;
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) garbage.push_back(static_cast<char>(random() % 256));
    const std::string longLine = "/" + std::string(1 << 20, 'x') + ".mp3";
    WriteText(Normal(), garbage + "\n" + longLine + "\r\n\n|\n||||||||||\n|a|b|c|-5|99999999999\n");
    session->LoadSelectedFavourite();
    const auto loaded = Paths();
    ASSERT_GT(loaded.size(), 2u);
    EXPECT_NE(std::find(loaded.begin(), loaded.end(), longLine), loaded.end());
    Restart();
    EXPECT_EQ(Paths(), loaded);
    const PlaylistEntry& last = session->MainList().Entry(session->MainList().Count() - 1);
    EXPECT_EQ(last.length, 0);  // a negative length is no length
}

TEST_F(FavouritesFixture, AFavouriteThatCannotBeWrittenIsLeftAsItWas) {
    WriteText(Normal(), "/kept.mp3\n");
    std::filesystem::create_directories(Normal() + ".tmp");  // blocks the side file
    session->AddLines({"/new.mp3"});
    session->SaveCurrentFavourite();
    EXPECT_EQ(FileLines(Normal()), std::vector<std::string>{"/kept.mp3"});
    WriteText(dir.file("a-file"), "");
    EXPECT_FALSE(WriteFavouriteLines(dir.file("a-file/inside.m3u"), {"x"}));
}

// A termination signal during a long load ends the add at once; the lines not yet loaded are
// still written back, whether the player ends while the window runs between two lines (the
// signal closing it) or after the add has stopped.
TEST_F(FavouritesFixture, QuittingDuringALongLoadStillSavesTheWholeFavourite) {
    std::string text;
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
        lines.push_back("/song" + std::to_string(i) + ".mp3");
        text += lines.back() + "\n";
    }
    for (const bool closeDuringPump : {true, false}) {
        WriteText(Normal(), text);
        session = Make();
        host.onPump = [&] {
            if (session->MainList().Count() < 10) return;
            session->QuitFlag() = true;
            if (closeDuringPump) session->Shutdown(50);
        };
        session->LoadSelectedFavourite();
        host.onPump = nullptr;
        EXPECT_LT(session->MainList().Count(), 3000);
        EXPECT_EQ(session->FavouriteDrafts()[0].lines, lines);
        session->Shutdown(50);
        EXPECT_EQ(FileLines(Normal()), lines) << closeDuringPump;
    }
}

TEST_F(FavouritesFixture, ReplacingTheFavouritesRewritesFilesAndKeysAndLoadsTheFirst) {
    session->AddLines({"/old.mp3"});
    ASSERT_TRUE(session->NewFavourite("gone"));
    session->ReplaceFavourites({{"b", {"/b1.mp3", "/b2.mp3"}}, {"ノーマル", {"/n.mp3"}}});
    EXPECT_FALSE(std::filesystem::exists(Profile("お気に入り/gone.m3u")));
    EXPECT_EQ(FileLines(Profile("お気に入り/b.m3u")),
              (std::vector<std::string>{"/b1.mp3", "/b2.mp3"}));
    EXPECT_EQ(FileLines(Normal()), std::vector<std::string>{"/n.mp3"});
    EXPECT_EQ(session->CurrentFavourite(), 0);
    EXPECT_EQ(Paths(), (std::vector<std::string>{"/b1.mp3", "/b2.mp3"}));
    SettingsStore store(Profile("velkaro.INI"));
    EXPECT_EQ(store.ReadInt("Main Window", "Favorite Count", 0), 2);
    EXPECT_EQ(store.ReadString("Main Window", "Favorite Name0", ""), "b");

    session->ReplaceFavourites({});  // the playlist always has a favourite to belong to
    ASSERT_EQ(session->Favourites().size(), 1u);
    EXPECT_EQ(session->Favourites()[0].name, "ノーマル");
}

TEST_F(FavouritesFixture, DraftsTakeTheCurrentFavouriteFromThePlaylistAndOthersFromFiles) {
    session->AddLines({"/a.mp3", "/z.zip|m.mp3|t|a|1|2"});
    ASSERT_TRUE(session->NewFavourite("second"));
    session->AddLines({"/s.mp3"});
    const auto drafts = session->FavouriteDrafts();
    ASSERT_EQ(drafts.size(), 2u);
    EXPECT_EQ(drafts[0].lines, (std::vector<std::string>{"/a.mp3", "/z.zip|m.mp3|t|a|1|2"}));
    EXPECT_EQ(drafts[1].lines, std::vector<std::string>{"/s.mp3"});
}

TEST(FavouriteNames, ForbiddenCharactersAndUniqueNames) {
    for (char c : kForbiddenNameCharacters) {
        EXPECT_EQ(FirstForbiddenCharacter(std::string("ab") + c + "?"), 2u) << c;
    }
    EXPECT_EQ(FirstForbiddenCharacter("ソー表"), std::string::npos);
    EXPECT_EQ(FirstForbiddenCharacter(""), std::string::npos);
    EXPECT_EQ(UniqueFavouriteName({"a", "a1"}, "a"), "a2");
    EXPECT_EQ(UniqueFavouriteName({"a1"}, "a"), "a");
    EXPECT_EQ(UniqueFavouriteName({}, ""), "");
}

TEST(FavouritesEditorRules, RenamingAddingAndMovingFavourites) {
    FavouritesEditor editor({{"a", {}}, {"a1", {}}, {"b", {"x"}}});
    EXPECT_FALSE(editor.Changed());
    using Result = FavouritesEditor::RenameResult;
    EXPECT_EQ(editor.Rename(0, ""), Result::kEmpty);
    EXPECT_EQ(editor.Rename(0, "b"), Result::kDuplicate);
    EXPECT_EQ(editor.Rename(0, "a"), Result::kUnchanged);
    EXPECT_EQ(editor.Rename(0, "../up"), Result::kForbidden);
    EXPECT_EQ(editor.Rename(9, "q"), Result::kUnchanged);
    EXPECT_FALSE(editor.Changed());
    const auto added = editor.AddFromPlaylist("a", {"/p.mp3"});
    EXPECT_EQ(added.row, 3);
    EXPECT_TRUE(added.renamed);
    EXPECT_EQ(editor.Favourites()[3].name, "a2");
    EXPECT_TRUE(editor.Changed());
    EXPECT_FALSE(editor.AddFromPlaylist("c", {}).renamed);
    EXPECT_EQ(editor.Rename(2, "d"), Result::kRenamed);

    EXPECT_EQ(editor.Move(0, -1), 0);  // already at the top
    EXPECT_EQ(editor.Move(0, 1), 1);
    EXPECT_EQ(editor.Favourites()[0].name, "a1");
    EXPECT_EQ(editor.Move(editor.Count() - 1, 1), editor.Count() - 1);
    editor.Remove(0);
    editor.Remove(42);
    EXPECT_EQ(editor.Favourites()[0].name, "a");
    EXPECT_EQ(editor.Count(), 4);
    editor.MarkStored();
    EXPECT_FALSE(editor.Changed());
}

TEST(FavouritesEditorRules, SongsAreAddedRemovedAndMovedAsABlock) {
    FavouritesEditor editor({{"f", {"1", "2", "3", "4"}}});
    editor.AppendSongs(0, {"5"});
    editor.AppendSongs(3, {"lost"});  // no such favourite
    EXPECT_EQ(editor.MoveSongs(0, {1, 2}, -1), (std::vector<int>{0, 1}));
    EXPECT_EQ(editor.Favourites()[0].lines, (std::vector<std::string>{"2", "3", "1", "4", "5"}));
    EXPECT_EQ(editor.MoveSongs(0, {4, 3}, 1), (std::vector<int>{3, 4}));  // at the bottom
    editor.RemoveSongs(0, {4, 0, 0, -1, 99});
    EXPECT_EQ(editor.Favourites()[0].lines, (std::vector<std::string>{"3", "1", "4"}));
}

TEST(FavouritesEditorRules, LinesShowAsFileNamesOrFullPaths) {
    EXPECT_EQ(FavouriteLineText("/m/a.mp3", false), "a.mp3");
    EXPECT_EQ(FavouriteLineText("/m/a.mp3", true), "/m/a.mp3");
    EXPECT_EQ(FavouriteLineText("/m/z.zip|in/s.mp3|t|a|1|0", false), "in/s.mp3");
    EXPECT_EQ(FavouriteLineText("/m/z.zip|in/s.mp3|t|a|1|0", true), "/m/z.zip|in/s.mp3");
}

}  // namespace
}  // namespace velk::app
