#include "core/main_window_settings.h"

namespace velk::app {

namespace {

// A damaged count must not make the start-up pass read millions of keys.
constexpr int kMostFavourites = 10000;

void ReadOptions(const SettingsSection& s, uint32_t systemColour, MainWindowSettings& p) {
    p.nameType = s.Int("Name Type", 1);
    p.timeType = s.Int("Time Type", 0);
    p.fadeIn = s.Bool("Fade In", false);
    p.fadeOut = s.Bool("Fade Out", false);
    p.silentSkip = s.Bool("Silent Skip", false);
    p.backColor = s.Colour("Back Color", 0xFFFFFF);
    p.backColor2 = s.Colour("Back Color2", 0xFF0000);
    p.favoriteColor = s.Colour("Favorite Color", systemColour);
    p.fileListColor = s.Colour("File List Color", systemColour);
    p.currentLineColor = s.Colour("Current Line Color", 0xC8C800);
    p.lyricsListColor = s.Colour("Lyrics List Color", systemColour);
    p.lyricsEditColor = s.Colour("Lyrics Edit Color", systemColour);
    p.graphicEqColor = s.Colour("GraphicEQ Color", systemColour);
    p.trans = s.Bool("Trans", false);
    p.transValue = s.Int("Trans Value", 128);
    p.saveStatus = s.Bool("Save Status", false);
    p.highMode = s.Bool("High Mode", false);
}

void ReadWindowState(const SettingsSection& s, MainWindowSettings& p) {
    p.speed = s.Int("Speed", 0);
    p.pitch = s.Int("Pitch", 9);
    p.explorerFolder = s.String("Explorer Folder");
    p.explorerShowFolder = s.Int("Explorer Show Folder", 1);
    p.explorerViewType = s.Int("Explorer View Type", 3);
    p.explorerSplit = s.Int("Explorer Split", 0);
    p.explorerFolderSel = s.Int("Explorer Folder Sel", 1);
    p.explorerFolderWidth = s.Int("Explorer Folder Width", kExplorerFolderWidth);
    for (int i = 0; i < kExplorerListColumns; ++i) {
        p.explorerItemWidth[i] =
            s.Int(Indexed("Explorer Item Width", i), p.explorerItemWidth[i]) & 0xFFFF;
    }
    p.showMode = s.Bool("Show Mode", false);
    p.detail = s.Bool("Detail", true);
    p.loop = s.Bool("Roop", false);
    p.random = s.Bool("Rand", false);
    p.window = s.Rectangle(kDefaultMainRect);
    p.showFlag = s.Int("Show Flag", kShowDefault);
    for (int i = 0; i < kPlaylistColumns; ++i) {
        p.itemWidth[i] = s.Int(Indexed("Item Width", i), 100) & 0xFFFF;
    }
}

}  // namespace

MainWindowSettings ReadMainWindowSettings(const SettingsStore& store, uint32_t systemColour) {
    const SettingsSection s(store, kSectionMain);
    MainWindowSettings p;
    ReadOptions(s, systemColour, p);
    for (int i = 0; i < kEqualizerBands; ++i) {
        p.equalizer[i] = s.Int(Indexed("GraphicEQ Value", i + 1), 0);
    }
    if (p.saveStatus) ReadWindowState(s, p);
    const int count = s.Int("Favorite Count", 0);
    for (int i = 0; i < count && i < kMostFavourites; ++i) {
        p.favourites.push_back(
            {s.String(Indexed("Favorite Name", i)), s.String(Indexed("Favorite Path Name", i))});
    }
    p.selectFavorite = s.String("Select Favorite");
    return p;
}

void WriteMainWindowOptions(SettingsStore& store, const MainWindowSettings& p) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionMain);
    s.Int("Name Type", p.nameType);
    s.Int("Time Type", p.timeType);
    s.Int("Fade In", p.fadeIn);
    s.Int("Fade Out", p.fadeOut);
    s.Int("Silent Skip", p.silentSkip);
    s.Colour("Back Color", p.backColor);
    s.Colour("Back Color2", p.backColor2);
    s.Colour("Favorite Color", p.favoriteColor);
    s.Colour("File List Color", p.fileListColor);
    s.Colour("Current Line Color", p.currentLineColor);
    s.Colour("Lyrics List Color", p.lyricsListColor);
    s.Colour("Lyrics Edit Color", p.lyricsEditColor);
    s.Colour("GraphicEQ Color", p.graphicEqColor);
    s.Int("Trans", p.trans);
    s.Int("Trans Value", p.transValue);
    s.Int("Save Status", p.saveStatus);
    s.Int("High Mode", p.highMode);
}

void WriteEqualizerValues(SettingsStore& store, const MainWindowSettings& p) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionMain);
    for (int i = 0; i < kEqualizerBands; ++i)
        s.Int(Indexed("GraphicEQ Value", i + 1), p.equalizer[i]);
}

void WriteMainWindowState(SettingsStore& store, const MainWindowSettings& p) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionMain);
    s.Int("Detail", p.detail);
    s.Int("Roop", p.loop);
    s.Int("Rand", p.random);
    s.Int("Speed", p.speed);
    s.Int("Pitch", p.pitch);
    s.String("Explorer Folder", p.explorerFolder);
    s.Int("Explorer Show Folder", p.explorerShowFolder);
    s.Int("Explorer View Type", p.explorerViewType);
    s.Int("Explorer Split", p.explorerSplit);
    s.Int("Explorer Folder Sel", p.explorerFolderSel);
    s.Int("Explorer Folder Width", p.explorerFolderWidth);
    for (int i = 0; i < kExplorerListColumns; ++i)
        s.Int(Indexed("Explorer Item Width", i), p.explorerItemWidth[i]);
    s.Int("Show Mode", p.showMode);
    s.Rectangle(p.window);
    s.Int("Show Flag", p.showFlag);
    for (int i = 0; i < kPlaylistColumns; ++i) s.Int(Indexed("Item Width", i), p.itemWidth[i]);
}

void WriteFavouriteKeys(SettingsStore& store, const MainWindowSettings& p) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionMain);
    s.Int("Favorite Count", static_cast<int>(p.favourites.size()));
    for (size_t i = 0; i < p.favourites.size(); ++i) {
        s.String(Indexed("Favorite Name", static_cast<int>(i)), p.favourites[i].name);
        s.String(Indexed("Favorite Path Name", static_cast<int>(i)), p.favourites[i].path);
    }
    s.String("Select Favorite", p.selectFavorite);
}

}  // namespace velk::app
