#include "core/playlist.h"

#include <gtest/gtest.h>

#include "core/display_name.h"

namespace velk::app {
namespace {

Playlist MakeList(std::initializer_list<std::pair<const char*, int>> rows) {
    Playlist list;
    for (const auto& [name, length] : rows) {
        auto entry = std::make_unique<PlaylistEntry>();
        entry->displayName = name;
        entry->path = std::string("/m/") + name + ".mp3";
        entry->length = length;
        list.Append(std::move(entry));
    }
    return list;
}

std::string Names(const Playlist& list) {
    std::string names;
    for (int i = 0; i < list.Count(); ++i) names += list.Entry(i).displayName;
    return names;
}

TEST(PlaylistRemoval, RowsAboveTheCurrentKeepTheSameSongCurrent) {
    Playlist list = MakeList({{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}});
    list.SetCurrentIndex(3);
    const auto result = list.RemoveRows({0, 2});
    EXPECT_TRUE(result.removedAny);
    EXPECT_FALSE(result.currentRemoved);
    EXPECT_EQ(Names(list), "bd");
    EXPECT_EQ(list.Entry(list.CurrentIndex()).displayName, "d");
}

TEST(PlaylistRemoval, RemovingTheCurrentRowLeavesTheNextSongAtItsIndex) {
    Playlist list = MakeList({{"a", 1}, {"b", 1}, {"c", 1}});
    list.SetCurrentIndex(1);
    EXPECT_TRUE(list.RemoveRows({1}).currentRemoved);
    EXPECT_EQ(list.Entry(list.CurrentIndex()).displayName, "c");
}

TEST(PlaylistRemoval, RemovingTheLastCurrentRowWrapsToTheTop) {
    Playlist list = MakeList({{"a", 1}, {"b", 1}, {"c", 1}});
    list.SetCurrentIndex(2);
    list.RemoveRows({2});
    EXPECT_EQ(list.CurrentIndex(), 0);
    list.RemoveRows({0, 1, 7, -1});  // out-of-range rows are ignored
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.RemoveRows({0}).removedAny);
}

TEST(PlaylistSort, TimeTwiceGivesAscendingThenDescendingAndKeepsTheCurrentSong) {
    Playlist list = MakeList({{"b", 30}, {"a", 10}, {"c", 20}});
    list.SetCurrentIndex(2);  // "c"
    list.SortByColumn(kColumnTime);
    EXPECT_EQ(Names(list), "acb");
    EXPECT_EQ(list.HeaderText(kColumnTime), "△時間");
    EXPECT_EQ(list.Entry(list.CurrentIndex()).displayName, "c");
    list.SortByColumn(kColumnTime);
    EXPECT_EQ(Names(list), "bca");
    EXPECT_EQ(list.HeaderText(kColumnTime), "▽時間");
    EXPECT_EQ(list.Entry(list.CurrentIndex()).displayName, "c");
}

TEST(PlaylistSort, ArrowMovesToTheClickedColumnAndTextIgnoresAsciiCase) {
    Playlist list = MakeList({{"beta", 1}, {"Alpha", 2}, {"gamma", 3}});
    list.SortByColumn(kColumnTime);
    list.SortByColumn(kColumnTitle);
    EXPECT_EQ(Names(list), "Alphabetagamma");
    EXPECT_EQ(list.HeaderText(kColumnTime), "時間");
    EXPECT_EQ(list.HeaderText(kColumnTitle), "△ﾀｲﾄﾙ");
    list.ClearSortArrows();
    EXPECT_EQ(list.HeaderText(kColumnTitle), "ﾀｲﾄﾙ");
}

TEST(PlaylistDrag, SelectedRowsMoveTogetherAndTheCurrentFollows) {
    Playlist list = MakeList({{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}});
    list.SetCurrentIndex(0);
    auto selection = list.MoveRows({1, 2}, -1);
    EXPECT_EQ(Names(list), "bcad");
    EXPECT_EQ((std::vector<int>{0, 1}), selection);
    EXPECT_EQ(list.Entry(list.CurrentIndex()).displayName, "a");
    selection = list.MoveRows(selection, -1);  // already at the top: nothing moves
    EXPECT_EQ(Names(list), "bcad");
    selection = list.MoveRows({2, 3}, 1);
    EXPECT_EQ(Names(list), "bcad");
    list.MoveRows({1}, 1);
    EXPECT_EQ(Names(list), "bacd");
    EXPECT_EQ(list.Entry(list.CurrentIndex()).displayName, "a");
}

TEST(PlaylistTotals, SumsLengths) {
    EXPECT_EQ(MakeList({{"a", 100}, {"b", 25}, {"c", 0}}).TotalSeconds(), 125);
}

TEST(DisplayName, NameTypeDecidesBetweenTitleAndFileName) {
    PlaylistEntry e;
    e.fileName = "song.mp3";
    EXPECT_EQ(MakeDisplayName(e, 1), "song.mp3");
    EXPECT_EQ(MakeDisplayName(e, 0), "");
    e.title = " padded";  // a title beginning with a space counts as empty
    EXPECT_EQ(MakeDisplayName(e, 1), "song.mp3");
    e.title = "Song";
    EXPECT_EQ(MakeDisplayName(e, 1), "Song");
}

TEST(DisplayName, TitleTextJoinsArtistAndFallsBackToTheFileStem) {
    PlaylistEntry e;
    e.path = "/music/tune.mp3";
    EXPECT_EQ(TitleDisplayText(e), "tune");
    e.artist = "Ann";
    e.title = "Tune";
    EXPECT_EQ(TitleDisplayText(e), "Ann / Tune");
    // A string, not the literal: GCC 12 at -O3 misreports an overlap (-Wrestrict) in assigning it.
    e.path = std::string("x");
    e.title.clear();
    e.artist.clear();
    EXPECT_EQ(TitleDisplayText(e), "");
}

}  // namespace
}  // namespace velk::app
