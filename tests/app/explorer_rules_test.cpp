// The explorer pane's windowless rules: which files it lists, its cell texts, sorting and the
// header arrows, the button cycles, menu enabling, filling, favourites, renaming and the trash.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/favourites.h"
#include "explorer/core/explorer_list.h"
#include "explorer/core/explorer_menus.h"
#include "explorer/core/explorer_rename.h"
#include "explorer/core/explorer_texts.h"
#include "explorer/core/explorer_view.h"
#include "explorer/core/folder_fill.h"
#include "explorer/core/folder_listing.h"
#include "explorer/core/trash_bin.h"
#include "fake_engine.h"
#include "support/temp_dir.h"

namespace velk::app {
namespace {

namespace fs = std::filesystem;
using velk::test::TempDir;

void WriteFile(const std::string& path, size_t bytes = 0) {
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

std::vector<std::string> Names(const std::vector<ListedFile>& files) {
    std::vector<std::string> names;
    for (const auto& file : files) names.push_back(fs::path(file.path).filename().string());
    return names;
}

ExplorerRow Row(const std::string& name, uint64_t size, int length = 0) {
    ExplorerRow row;
    row.entry.path = "/music/" + name;
    row.entry.fileName = name;
    row.entry.length = length;
    row.size = size;
    return row;
}

std::vector<std::string> NameColumn(const ExplorerList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Row(i).entry.fileName);
    return names;
}

TEST(ExplorerTexts, OnlyTheEightEndingsAreListedWhateverTheirCase) {
    for (const char* name :
         {"a.MP3", "b.mp1", "c.Mp2", "d.mpg", "e.WAV", "f.rmp", "g.lzh", "h.ZIP", ".mp3"}) {
        EXPECT_TRUE(IsListedAudioName(name)) << name;
    }
    for (const char* name : {"b.txt", "a.mp3.lnk", "mp3", "a.mp4", "", "a.m3u", "a.mp3 "}) {
        EXPECT_FALSE(IsListedAudioName(name)) << name;
    }
}

TEST(ExplorerTexts, SizesAreWholeKilobytesRoundedUpWithThousandsSeparators) {
    EXPECT_EQ(SizeText(0), "0 KB");
    EXPECT_EQ(SizeText(1), "1 KB");
    EXPECT_EQ(SizeText(1024), "1 KB");
    EXPECT_EQ(SizeText(1025), "2 KB");
    EXPECT_EQ(SizeText(1048576), "1,024 KB");
    EXPECT_EQ(SizeText(1048577), "1,025 KB");
    EXPECT_EQ(SizeText(999ull * 1024), "999 KB");
    EXPECT_EQ(SizeText(1000000ull * 1024), "1,000,000 KB");
    // Files of 4 GiB and more keep their whole size.
    EXPECT_EQ(SizeText(5ull << 30), "5,242,880 KB");
    EXPECT_EQ(SizeTextNumber("1,025 KB"), 1025u);
    EXPECT_EQ(SizeTextNumber("5,242,880 KB"), 5242880u);
    EXPECT_EQ(SizeTextNumber(""), 0u);
}

TEST(ExplorerTexts, ModifiedTimeIsPaddedYearMonthDayHourMinute) {
    std::tm time{};
    time.tm_year = 2003 - 1900;
    time.tm_mon = 0;
    time.tm_mday = 5;
    time.tm_hour = 7;
    time.tm_min = 9;
    EXPECT_EQ(ModifiedText(time), "2003/01/05 07:09");
    time.tm_year = 12 - 1900;
    EXPECT_EQ(ModifiedText(time), "0012/01/05 07:09");
}

// "ｻｲｽﾞ" orders by the number the size text shows, so 9 KB comes before 1,024 KB even though
// "1" sorts before "9" as text; "名前" ignores case; each click reverses the column.
TEST(ExplorerList, SortsBySizeNumberAndNameWithoutCaseAndShowsTheArrows) {
    ExplorerList list;
    list.Append(Row("b.mp3", 1024 * 1024));
    list.Append(Row("C.mp3", 9 * 1024));
    list.Append(Row("a.mp3", 100));
    list.SortByColumn(kExplorerSize);
    EXPECT_EQ(NameColumn(list), (std::vector<std::string>{"a.mp3", "C.mp3", "b.mp3"}));
    EXPECT_EQ(list.HeaderText(kExplorerSize), "△ｻｲｽﾞ");
    list.SortByColumn(kExplorerSize);
    EXPECT_EQ(NameColumn(list), (std::vector<std::string>{"b.mp3", "C.mp3", "a.mp3"}));
    EXPECT_EQ(list.HeaderText(kExplorerSize), "▽ｻｲｽﾞ");

    list.SortByColumn(kExplorerName);
    EXPECT_EQ(NameColumn(list), (std::vector<std::string>{"a.mp3", "b.mp3", "C.mp3"}));
    EXPECT_EQ(list.HeaderText(kExplorerName), "△名前");
    EXPECT_EQ(list.HeaderText(kExplorerSize), "ｻｲｽﾞ");  // only the clicked column has an arrow
    // The size column was left descending-next; a new filling starts every column ascending.
    list.Clear();
    list.Append(Row("x.mp3", 2048));
    list.Append(Row("y.mp3", 1024));
    EXPECT_EQ(list.HeaderText(kExplorerName), "名前");
    list.SortByColumn(kExplorerSize);
    EXPECT_EQ(NameColumn(list), (std::vector<std::string>{"y.mp3", "x.mp3"}));
}

TEST(ExplorerList, TimeSortsBySecondsAndTheCurrentSongStaysCurrent) {
    ExplorerList list;
    list.Append(Row("long.mp3", 1, 700));  // "11:40" sorts before "9:59" as text
    list.Append(Row("short.mp3", 1, 599));
    list.SetCurrentIndex(0);
    list.SortByColumn(kExplorerTime);
    EXPECT_EQ(NameColumn(list), (std::vector<std::string>{"short.mp3", "long.mp3"}));
    EXPECT_EQ(list.CurrentIndex(), 1);
    const RemovalResult removed = list.RemoveRows({0, 7});
    EXPECT_TRUE(removed.removedAny);
    EXPECT_FALSE(removed.currentRemoved);
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(list.Entry(0).fileName, "long.mp3");
}

TEST(ExplorerView, ButtonsCycleAndStoredValuesOutOfRangeFallBack) {
    const ExplorerSetting& view = ViewTypeSetting();
    EXPECT_EQ(view.Next(kDetails), kDetailsWithGrid);
    EXPECT_EQ(view.Next(kDetailsWithGrid), kLargeIcons);
    EXPECT_EQ(view.Next(17), kLargeIcons);
    EXPECT_EQ(view.Label(kDetails), "詳細");
    EXPECT_EQ(view.Label(-3), "詳細");
    EXPECT_EQ(SplitSetting().Next(kOneAboveTheOther), kSideBySide);
    EXPECT_EQ(SplitSetting().Label(kSideBySide), "横分割");
    EXPECT_EQ(FolderSelectionSetting().Next(kSingleClick), kDoubleClick);
    EXPECT_EQ(FolderSelectionSetting().Label(kDoubleClick), "ﾀﾞﾌﾞﾙｸﾘｯｸ");
}

TEST(ExplorerMenus, ListMenuFollowsSelectionTreeAndRecycleBin) {
    ListMenuItems none = ListMenuEnabling({0, false, false});
    EXPECT_FALSE(none.addFavourite);
    EXPECT_FALSE(none.remove);
    EXPECT_FALSE(none.editLyrics);
    EXPECT_FALSE(none.properties);
    EXPECT_FALSE(none.rename);
    EXPECT_TRUE(none.openFolder);

    ListMenuItems two = ListMenuEnabling({2, false, false});
    EXPECT_TRUE(two.addFavourite);
    EXPECT_TRUE(two.remove);
    EXPECT_FALSE(two.rename);

    ListMenuItems one = ListMenuEnabling({1, false, false});
    EXPECT_TRUE(one.editLyrics && one.properties && one.rename && one.remove);

    ListMenuItems bin = ListMenuEnabling({1, false, true});
    EXPECT_FALSE(bin.addFavourite || bin.editLyrics || bin.remove || bin.rename);
    EXPECT_TRUE(bin.properties);
    EXPECT_TRUE(bin.openFolder);

    ListMenuItems emptyTree = ListMenuEnabling({1, true, false});
    EXPECT_FALSE(emptyTree.addFavourite);
    EXPECT_FALSE(emptyTree.openFolder);
}

TEST(ExplorerMenus, TreeMenuNeedsAFolderUnderTheClickAndOffersEmptyingTheBin) {
    TreeMenuState nothing;
    TreeMenuItems items = TreeMenuEnabling(nothing);
    EXPECT_FALSE(items.addFavourite || items.openFolder || items.emptyBinShown);

    TreeMenuState bin;
    bin.folderUnderClick = bin.rootUnderClick = bin.recycleBinUnderClick = true;
    items = TreeMenuEnabling(bin);
    EXPECT_TRUE(items.emptyBinShown);
    EXPECT_FALSE(items.emptyBin);  // it holds nothing
    EXPECT_FALSE(items.rename);
    bin.recycleBinHasItems = true;
    EXPECT_TRUE(TreeMenuEnabling(bin).emptyBin);

    TreeMenuState folder;
    folder.folderUnderClick = true;
    folder.treeEmpty = true;
    items = TreeMenuEnabling(folder);
    EXPECT_FALSE(items.addFavourite);
    EXPECT_TRUE(items.openFolder && items.rename && items.remove);
}

// A folder with a.MP3, b.txt, a link c.mp3 and a folder d.mp3 lists only a.MP3; a name that is
// not UTF-8 is listed by its bytes; a looping link is skipped.
TEST(FolderListing, ListsRegularAudioFilesOnlyInNameOrder) {
    TempDir dir;
    WriteFile(dir.file("a.MP3"), 5);
    WriteFile(dir.file("b.txt"));
    fs::create_symlink(dir.file("a.MP3"), dir.file("c.mp3"));
    fs::create_directory(dir.file("d.mp3"));
    fs::create_symlink(dir.file("loop1.mp3"), dir.file("loop2.mp3"));
    fs::create_symlink(dir.file("loop2.mp3"), dir.file("loop1.mp3"));
    const std::string strange = dir.file("\xff\xfe.mp3");
    WriteFile(strange);
    WriteFile(dir.file(".hidden.wav"));
    const auto listed = ListFolder(dir.path().string());
    ASSERT_TRUE(listed);
    EXPECT_EQ(Names(*listed), (std::vector<std::string>{".hidden.wav", "a.MP3", "\xff\xfe.mp3"}));
    EXPECT_TRUE((*listed)[0].hidden);
    EXPECT_EQ((*listed)[1].size, 5u);
    EXPECT_FALSE(ListFolder(dir.file("missing")));
    EXPECT_FALSE(ListFolder(dir.file("a.MP3")));
}

TEST(FolderListing, AFolderWithoutReadPermissionListsNothing) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    TempDir dir;
    fs::create_directory(dir.file("closed"));
    WriteFile(dir.file("closed/a.mp3"));
    ::chmod(dir.file("closed").c_str(), 0);
    EXPECT_FALSE(ListFolder(dir.file("closed")));
    ::chmod(dir.file("closed").c_str(), 0700);
}

TEST(FolderListing, ChangesNameTheGoneRowsAndTheNewFilesOnce) {
    const std::vector<ListedFile> now{{"/m/a.mp3"}, {"/m/c.mp3"}, {"/m/d.mp3"}};
    const ListingChange change = CompareListing({"/m/a.mp3", "/m/b.mp3"}, {"/m/d.mp3"}, now);
    EXPECT_EQ(change.goneRows, std::vector<int>{1});
    ASSERT_EQ(change.added.size(), 1u);
    EXPECT_EQ(change.added[0].path, "/m/c.mp3");
}

TEST(FolderListing, FavouriteFilesOfAFolderAndItsSubfoldersSurviveALinkLoop) {
    TempDir dir;
    fs::create_directories(dir.file("top/sub"));
    WriteFile(dir.file("top/b.mp3"));
    WriteFile(dir.file("top/a.txt"));
    WriteFile(dir.file("top/sub/c.wav"));
    fs::create_directory_symlink(dir.file("top"), dir.file("top/sub/back"));
    const std::string top = dir.file("top");
    EXPECT_EQ(FolderAudioFiles(top, false), std::vector<std::string>{top + "/b.mp3"});
    EXPECT_EQ(FolderAudioFiles(top, true),
              (std::vector<std::string>{top + "/b.mp3", top + "/sub/c.wav"}));
}

// Each file is read once, a few at a time; one that vanished before its turn gives no row,
// one the engine cannot read is listed with no length.
TEST(FolderFill, ReadsStepByStepAndSkipsVanishedFiles) {
    TempDir dir;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) WriteFile(dir.file(name), 3000);
    test::FakeEngine engine;
    engine.unopenable.insert(dir.file("c.mp3"));
    FolderFill fill(engine, [](const std::string&) { return std::string("MP3"); });
    fill.Start(*ListFolder(dir.path().string()), 1);
    fs::remove(dir.file("b.mp3"));
    engine.unopenable.insert(dir.file("b.mp3"));  // as the engine finds a missing file
    int calls = 0;
    auto rows = fill.Step([&calls] { return ++calls == 2; });
    ASSERT_EQ(rows.size(), 1u);  // a.mp3, then b.mp3 was gone
    EXPECT_EQ(rows[0].entry.fileName, "a.mp3");
    EXPECT_EQ(rows[0].typeName, "MP3");
    EXPECT_EQ(rows[0].entry.displayName, "a.mp3");
    EXPECT_EQ(ExplorerCellText(rows[0], kExplorerSize), "3 KB");
    EXPECT_FALSE(fill.Done());
    EXPECT_EQ(fill.WaitingPaths(),
              (std::vector<std::string>{dir.file("c.mp3"), dir.file("d.mp3")}));
    fill.Queue({{dir.file("e.mp3")}});
    WriteFile(dir.file("e.mp3"));
    rows = fill.Step(nullptr);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].entry.length, 0);
    EXPECT_EQ(rows[2].entry.fileName, "e.mp3");
    EXPECT_TRUE(fill.Done());
}

TEST(ExplorerRename, RenamesBesideTheFileKeepsTheSongAndNeverOverwrites) {
    TempDir dir;
    WriteFile(dir.file("a.mp3"), 10);
    WriteFile(dir.file("taken.mp3"), 20);
    ExplorerRow row = Row("a.mp3", 10);
    row.entry.path = dir.file("a.mp3");
    row.entry.title = "Title";
    row.entry.played = true;
    EXPECT_FALSE(RenameRowFile(row, "taken.mp3", 1));
    EXPECT_EQ(fs::file_size(dir.file("taken.mp3")), 20u);
    EXPECT_EQ(row.entry.path, dir.file("a.mp3"));
    for (const char* refused : {"", ".", "..", "x/y.mp3"})
        EXPECT_FALSE(RenameRowFile(row, refused, 1));
    ASSERT_TRUE(RenameRowFile(row, "b.mp3", 1));
    EXPECT_EQ(row.entry.path, dir.file("b.mp3"));
    EXPECT_EQ(row.entry.fileName, "b.mp3");
    EXPECT_EQ(row.entry.displayName, "Title");
    EXPECT_TRUE(row.entry.played);
    EXPECT_TRUE(fs::exists(dir.file("b.mp3")));
    EXPECT_FALSE(fs::exists(dir.file("a.mp3")));
    EXPECT_EQ(RenamedPath("/a.mp3", "b"), "/b");
    EXPECT_EQ(RenamedPath("a.mp3", "b"), "b");
}

TEST(TrashBin, EmptyingRemovesFilesAndInfoButNothingOutside) {
    TempDir dir;
    const std::string root = dir.file("Trash");
    EXPECT_FALSE(TrashHasItems(root));
    EXPECT_TRUE(EmptyTrash(root));  // a missing trash is empty already
    fs::create_directories(root + "/files/folder");
    fs::create_directories(root + "/info");
    WriteFile(root + "/files/folder/a.mp3");
    WriteFile(root + "/info/folder.trashinfo");
    WriteFile(dir.file("outside.mp3"));
    fs::create_symlink(dir.file("outside.mp3"), root + "/files/link.mp3");
    EXPECT_TRUE(TrashHasItems(root));
    EXPECT_TRUE(EmptyTrash(root));
    EXPECT_FALSE(TrashHasItems(root));
    EXPECT_TRUE(fs::exists(root + "/files"));
    EXPECT_TRUE(fs::exists(dir.file("outside.mp3")));
    EXPECT_FALSE(EmptyTrash(""));
    EXPECT_FALSE(EmptyTrash("relative/Trash"));
}

// The info file names the original path, escaped, and the local deletion time; a second file of
// the same name gets a name of its own; a name that is not UTF-8 is moved by its bytes.
TEST(TrashBin, MovesIntoFilesWithAnInfoFileAndNeverOverAnotherEntry) {
    TempDir dir;
    const std::string root = dir.file("Trash");
    fs::create_directories(root + "/files");
    fs::create_directories(root + "/info");
    fs::create_directories(dir.file("m 1"));
    WriteFile(dir.file("m 1/a%.mp3"), 7);
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 1;
    when.tm_mday = 3;
    when.tm_hour = 4;
    when.tm_min = 5;
    when.tm_sec = 6;
    when.tm_isdst = -1;
    const std::time_t deletedAt = std::mktime(&when);
    EXPECT_EQ(MoveToTrash(dir.file("m 1/a%.mp3"), root, deletedAt), root + "/files/a%.mp3");
    EXPECT_FALSE(fs::exists(dir.file("m 1/a%.mp3")));
    EXPECT_EQ(fs::file_size(root + "/files/a%.mp3"), 7u);
    std::ifstream info(root + "/info/a%.mp3.trashinfo");
    const std::string text((std::istreambuf_iterator<char>(info)), {});
    // The temporary folder's own name needs no escapes.
    EXPECT_EQ(text, "[Trash Info]\nPath=" + dir.path().string() +
                        "/m%201/a%25.mp3\nDeletionDate=2024-02-03T04:05:06\n");

    WriteFile(dir.file("m 1/a%.mp3"), 3);
    EXPECT_EQ(MoveToTrash(dir.file("m 1/a%.mp3"), root, deletedAt), root + "/files/a%.mp3.1");
    EXPECT_EQ(fs::file_size(root + "/files/a%.mp3"), 7u);
    EXPECT_TRUE(fs::exists(root + "/info/a%.mp3.1.trashinfo"));

    WriteFile(dir.file("\xff.mp3"));
    EXPECT_EQ(MoveToTrash(dir.file("\xff.mp3"), root, deletedAt), root + "/files/\xff.mp3");
    EXPECT_TRUE(fs::exists(root + "/info/\xff.mp3.trashinfo"));
    fs::create_directories(dir.file("folder/inner"));
    EXPECT_EQ(MoveToTrash(dir.file("folder"), root, deletedAt), root + "/files/folder");
    EXPECT_TRUE(fs::is_directory(root + "/files/folder/inner"));
}

// Nothing moves without a trash to hold it, or for a path that is not there: in particular no
// "files" folder appears beside the current directory.
TEST(TrashBin, AnUnusableTrashOrAMissingFileMovesNothing) {
    TempDir dir;
    WriteFile(dir.file("a.mp3"));
    WriteFile(dir.file("Trash"));  // a file where the trash should be
    EXPECT_FALSE(TrashUsable(dir.file("Trash")));
    EXPECT_EQ(MoveToTrash(dir.file("a.mp3"), dir.file("Trash"), 0), "");
    EXPECT_EQ(MoveToTrash(dir.file("a.mp3"), dir.file("missing"), 0), "");
    EXPECT_EQ(MoveToTrash(dir.file("a.mp3"), "", 0), "");
    EXPECT_TRUE(fs::exists(dir.file("a.mp3")));
    const std::string root = dir.file("Good");
    fs::create_directories(root + "/files");
    fs::create_directories(root + "/info");
    EXPECT_EQ(MoveToTrash(dir.file("gone.mp3"), root, 0), "");
    EXPECT_EQ(MoveToTrash("relative.mp3", root, 0), "");
    EXPECT_TRUE(fs::is_empty(root + "/info"));
}

// A rename does not cross file systems: a file on another one stays where it is and leaves no
// info file behind; that file system's own ".Trash-UID" takes it instead.
TEST(TrashBin, AFileOfAnotherFileSystemGoesToThatFileSystemsTrash) {
    TempDir dir;
    const std::string root = dir.file("Trash");
    fs::create_directories(root + "/files");
    fs::create_directories(root + "/info");
    struct stat here {
    }, shm{};
    if (::stat(root.c_str(), &here) != 0 || ::stat("/dev/shm", &shm) != 0 ||
        here.st_dev == shm.st_dev || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second writable file system";
    const std::string shmTrash = "/dev/shm/.Trash-" + std::to_string(::getuid());
    const bool hadShmTrash = fs::exists(shmTrash);
    const fs::path other = "/dev/shm/velk-trash-test-" + std::to_string(::getpid());
    fs::create_directories(other);
    const std::string song = (other / "a.mp3").string();
    WriteFile(song);
    EXPECT_EQ(MoveToTrash(song, root, 0), "");
    EXPECT_TRUE(fs::exists(song));
    EXPECT_TRUE(fs::is_empty(root + "/info"));

    EXPECT_EQ(TrashRootFor(dir.file("Trash/files"), root), root);
    ASSERT_EQ(TrashRootFor(song, root), shmTrash);
    const std::string moved = MoveToTrash(song, shmTrash, 0);
    EXPECT_FALSE(fs::exists(song));
    EXPECT_TRUE(fs::exists(moved));
    EXPECT_EQ(TrashRootFor((other / "gone.mp3").string(), root), "");
    fs::remove(moved);
    fs::remove(shmTrash + "/info/" + fs::path(moved).filename().string() + ".trashinfo");
    if (!hadShmTrash) fs::remove_all(shmTrash);
    fs::remove_all(other);
}

TEST(TrashBin, FoldersHoldingTheHomeOrTheTrashOrInsideItAreNotTrashed) {
    TempDir dir;
    const std::string home = dir.file("home");
    const std::string trash = home + "/.local/share/Trash";
    fs::create_directories(trash + "/files/old");
    fs::create_directories(home + "/music");
    EXPECT_TRUE(FolderMayBeTrashed(home + "/music", trash, {home}));
    EXPECT_TRUE(FolderMayBeTrashed(home + "/music/", trash, {home}));
    EXPECT_FALSE(FolderMayBeTrashed(home, trash, {home}));
    EXPECT_FALSE(FolderMayBeTrashed(dir.path().string(), trash, {home}));
    EXPECT_FALSE(FolderMayBeTrashed(home + "/.local", trash, {home}));
    EXPECT_FALSE(FolderMayBeTrashed(trash + "/files/old", trash, {home}));
    EXPECT_FALSE(FolderMayBeTrashed("/", trash, {home}));
    EXPECT_FALSE(FolderMayBeTrashed("relative", trash, {home}));
    EXPECT_TRUE(IsSameOrInside("/a/b/c", "/a/b"));
    EXPECT_FALSE(IsSameOrInside("/a/bc", "/a/b"));
    EXPECT_TRUE(IsSameOrInside("/a/b", "/a/b/"));
}

// Lines go to the end of the favourite's file; what it held stays, even a last line without
// its line break.
TEST(FavouriteAppend, AppendsWithoutTruncatingAndCreatesAMissingFile) {
    TempDir dir;
    const std::string path = dir.file("profile/お気に入り/rock.m3u");
    ASSERT_TRUE(AppendFavouriteLines(path, {"/m/a.mp3"}));
    std::ofstream(path, std::ios::app) << "/m/b.mp3";
    ASSERT_TRUE(AppendFavouriteLines(path, {"/m/c.mp3", "/m/d.mp3"}));
    const auto lines = ReadFavouriteLines({"rock", path});
    EXPECT_EQ(lines, (std::vector<std::string>{"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "/m/d.mp3"}));
}

}  // namespace
}  // namespace velk::app
