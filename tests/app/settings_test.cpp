#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/favourites.h"
#include "core/player_settings.h"
#include "support/temp_dir.h"

namespace velk::app {
namespace {

using velk::test::TempDir;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SettingsStore, MissingFileGivesTheFirstStartDefaults) {
    TempDir dir;
    SettingsStore store(dir.file("velkaro.INI"));
    const PlayerSettings s = LoadAll(store, 0x123456);
    EXPECT_TRUE(s.main.loop);
    EXPECT_FALSE(s.main.random);
    EXPECT_TRUE(s.main.detail);
    EXPECT_EQ(s.main.pitch, 9);
    EXPECT_EQ(s.main.speed, 0);
    EXPECT_EQ(s.main.timeType, 0);
    EXPECT_EQ(s.main.nameType, 1);
    EXPECT_EQ(s.main.fileListColor, 0x123456u);
    EXPECT_EQ(s.main.currentLineColor, 0xC8C800u);
    EXPECT_EQ(s.etc.wake.minutesAfterMidnight, 420);
    EXPECT_FALSE(std::filesystem::exists(dir.file("velkaro.INI")));
}

TEST(SettingsStore, DamagedLinesAreIgnoredAndNamesIgnoreCase) {
    TempDir dir;
    std::ofstream(dir.file("velkaro.INI"))
        << "garbage line\n=5\n[Main Window\nName Type=7\n[main window]\nname type=0\n"
           "Back Color=16777215\nTime Type=abc\nTrans Value=99999999999\n";
    SettingsStore store(dir.file("velkaro.INI"));
    EXPECT_EQ(store.ReadInt("Main Window", "Name Type", 1), 0);
    EXPECT_EQ(store.ReadInt("Main Window", "Time Type", 2), 2);
    EXPECT_EQ(store.ReadInt("Main Window", "Trans Value", 0), INT32_MAX);
    EXPECT_EQ(LoadAll(store, 0).main.backColor, 0xFFFFFFu);  // 16777215 is white
}

TEST(SettingsStore, WritesReplaceTheFileAndReadBack) {
    TempDir dir;
    const std::string path = dir.file("sub/velkaro.INI");
    {
        SettingsStore store(path);
        store.WriteInt("Etc", "Ohayou Timer", -5);
        store.WriteString("Etc", "Ohayou Timer PlayList", "朝\nの歌");
    }
    SettingsStore again(path);
    EXPECT_EQ(again.ReadInt("Etc", "Ohayou Timer", 0), -5);
    EXPECT_EQ(again.ReadString("Etc", "Ohayou Timer PlayList"), "朝の歌");
    for (const auto& entry : std::filesystem::directory_iterator(dir.file("sub"))) {
        EXPECT_EQ(entry.path().filename(), "velkaro.INI");  // no temporary file left behind
    }
}

TEST(SettingsStore, SaveStatusOffKeepsWindowStateButRewritesFavourites) {
    TempDir dir;
    const std::string path = dir.file("velkaro.INI");
    std::ofstream(path) << "[Main Window]\nRoop=0\nRand=1\ntop=50\nFavorite Count=0\n";
    SettingsStore store(path);
    PlayerSettings s = LoadAll(store, 0);
    EXPECT_TRUE(s.main.loop);  // window state is not read without "Save Status"
    s.main.loop = false;
    s.main.window.top = 999;
    s.main.favourites = {{"ノーマル", "/p/お気に入り/ノーマル.m3u"}};
    s.main.selectFavorite = "ノーマル";
    SaveOnExit(store, s);
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("Roop=0"), std::string::npos);
    EXPECT_NE(text.find("Rand=1"), std::string::npos);
    EXPECT_NE(text.find("top=50"), std::string::npos);
    EXPECT_NE(text.find("Favorite Count=1"), std::string::npos);
    EXPECT_NE(text.find("Favorite Name0=ノーマル"), std::string::npos);
    EXPECT_NE(text.find("Select Favorite=ノーマル"), std::string::npos);
}

TEST(SettingsStore, SaveStatusOnRoundTripsTheWindowState) {
    TempDir dir;
    const std::string path = dir.file("velkaro.INI");
    std::ofstream(path) << "[Main Window]\nSave Status=1\n";
    PlayerSettings s;
    {
        SettingsStore store(path);
        s = LoadAll(store, 0);
        EXPECT_FALSE(s.main.loop);  // the key's own default when state is kept
        EXPECT_EQ(s.main.explorerFolderWidth, kExplorerFolderWidth);
        s.main.loop = true;
        s.main.random = true;
        s.main.detail = false;
        s.main.pitch = 23;
        s.main.speed = 4;
        s.main.window = {10, 20, 410, 520};
        s.main.itemWidth = {1, 2, 3, 0x10004};
        s.main.explorerItemWidth = {11, 12, 13, 14, 15, 0x10016};
        s.main.explorerFolderWidth = 321;
        SaveOnExit(store, s);
    }
    SettingsStore store(path);
    const PlayerSettings r = LoadAll(store, 0);
    EXPECT_TRUE(r.main.loop);
    EXPECT_TRUE(r.main.random);
    EXPECT_FALSE(r.main.detail);
    EXPECT_EQ(r.main.pitch, 23);
    EXPECT_EQ(r.main.speed, 4);
    EXPECT_EQ(r.main.window.bottom, 520);
    EXPECT_EQ(r.main.itemWidth[3], 4);  // only the low 16 bits
    EXPECT_EQ(r.main.explorerItemWidth[0], 11);
    EXPECT_EQ(r.main.explorerItemWidth[5], 0x16);
    EXPECT_EQ(r.main.explorerFolderWidth, 321);
}

// Each window's record reads what its options page and its exit pass write, and nothing
// leaks between sections that share key names ("Show", "Trans", "Back Color").
TEST(SettingsStore, WindowRecordsRoundTripInTheirOwnSections) {
    TempDir dir;
    const std::string path = dir.file("velkaro.INI");
    {
        SettingsStore store(path);
        PlayerSettings s = LoadAll(store, 0);
        EXPECT_EQ(s.lyrics.titleFont, "-19|0|0|0|700|0|0|0|128|3|2|1|49|ＭＳ ゴシック|");
        EXPECT_EQ(s.lyrics.lines, 5);
        EXPECT_FALSE(s.lyrics.lyrics3);
        EXPECT_EQ(s.spec.foreColor2, 65535u);
        EXPECT_EQ(s.spec.backColor2, 16711680u);
        EXPECT_EQ(s.spec.window.right, 255);
        s.lyrics.show = false;
        s.lyrics.normalFont = "-20|0|0|0|400|0|0|0|128|3|2|1|49|IPAGothic|";
        s.lyrics.saveStatus = true;
        s.lyrics.window = {5, 6, 305, 106};
        s.spec.kind = 4;
        s.spec.trans = true;
        s.custom.hotkeys[3] = (2 << 8) | 'N';
        s.custom.extKeys = {1, 0, 2};
        s.etc.wake.playlist = "朝";
        WriteLyricsWindowOptions(store, s.lyrics);
        WriteSpectrumWindowOptions(store, s.spec);
        WriteCustomSettings(store, s.custom);
        WriteEtcSettings(store, s.etc);
        SaveOnExit(store, s);  // the spectrum window keeps no state without its "Save Status"
    }
    SettingsStore store(path);
    const PlayerSettings r = LoadAll(store, 0xABCDEF);
    EXPECT_FALSE(r.lyrics.show);
    EXPECT_TRUE(r.spec.show);
    EXPECT_EQ(r.lyrics.normalFont, "-20|0|0|0|400|0|0|0|128|3|2|1|49|IPAGothic|");
    EXPECT_EQ(r.lyrics.window.right, 305);
    EXPECT_EQ(r.spec.kind, 1);
    EXPECT_TRUE(r.spec.trans);
    EXPECT_FALSE(r.main.trans);
    EXPECT_EQ(r.main.graphicEqColor, 0xABCDEFu);
    EXPECT_EQ(r.custom.hotkeys[3], static_cast<uint32_t>((2 << 8) | 'N'));
    EXPECT_EQ(r.custom.extKeys, (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(r.etc.wake.playlist, "朝");
}

TEST(SettingsStore, ProfileFolderFollowsTheEnvironment) {
    const char* saved = std::getenv("VELKARO_HOME");
    const std::string keep = saved ? saved : "";
    setenv("VELKARO_HOME", "/tmp/velk-profile", 1);
    EXPECT_EQ(ProfileFolder(), "/tmp/velk-profile");
    unsetenv("VELKARO_HOME");
    setenv("XDG_CONFIG_HOME", "/tmp/velk-config", 1);
    EXPECT_EQ(ProfileFolder(), "/tmp/velk-config/velkaro");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_TRUE(ProfileFolder().ends_with("/.config/velkaro"));
    if (saved) setenv("VELKARO_HOME", keep.c_str(), 1);
}

TEST(Favourites, FirstStartGivesOneNormalFavouriteAndSavedRowsComeBack) {
    TempDir dir;
    PlayerSettings s;
    const auto favourites = LoadFavourites(s.main, dir.path().string());
    ASSERT_EQ(favourites.size(), 1u);
    EXPECT_EQ(favourites[0].name, "ノーマル");
    EXPECT_EQ(favourites[0].path, dir.path().string() + "/お気に入り/ノーマル.m3u");
    EXPECT_EQ(FindFavourite(favourites, "ノーマル"), 0);
    EXPECT_EQ(FindFavourite(favourites, "ノーマ"), -1);

    Playlist list;
    auto plain = std::make_unique<PlaylistEntry>();
    plain->path = "/m/a.mp3";
    list.Append(std::move(plain));
    auto member = std::make_unique<PlaylistEntry>();
    member->path = "/m/b.zip";
    member->memberName = "b.mp3";
    member->title = "B";
    member->length = 20;
    member->startOffset = 1500;
    list.Append(std::move(member));
    ASSERT_TRUE(SaveFavourite(favourites[0], list));
    const auto lines = ReadFavouriteLines(favourites[0]);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "/m/a.mp3");
    EXPECT_EQ(lines[1], "/m/b.zip|b.mp3|B||20|1500");
}

}  // namespace
}  // namespace velk::app
