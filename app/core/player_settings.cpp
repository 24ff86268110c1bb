#include "core/player_settings.h"

#include <string>

namespace velk::app {

namespace {

std::string Indexed(const char* key, int index) {
    return key + std::to_string(index);
}

bool ReadBool(const SettingsStore& s, const char* key, bool fallback) {
    return s.ReadInt(kSectionMain, key, fallback ? 1 : 0) != 0;
}

uint32_t ReadColour(const SettingsStore& s, const char* key, uint32_t fallback) {
    return static_cast<uint32_t>(s.ReadInt(kSectionMain, key, static_cast<int>(fallback))) &
           0xFFFFFF;
}

void ReadOptions(const SettingsStore& s, uint32_t systemColour, PlayerSettings& p) {
    p.nameType = s.ReadInt(kSectionMain, "Name Type", 1);
    p.timeType = s.ReadInt(kSectionMain, "Time Type", 0);
    p.fadeIn = ReadBool(s, "Fade In", false);
    p.fadeOut = ReadBool(s, "Fade Out", false);
    p.silentSkip = ReadBool(s, "Silent Skip", false);
    p.backColor = ReadColour(s, "Back Color", 0xFFFFFF);
    p.backColor2 = ReadColour(s, "Back Color2", 0xFF0000);
    p.favoriteColor = ReadColour(s, "Favorite Color", systemColour);
    p.fileListColor = ReadColour(s, "File List Color", systemColour);
    p.currentLineColor = ReadColour(s, "Current Line Color", 0xC8C800);
    p.lyricsListColor = ReadColour(s, "Lyrics List Color", systemColour);
    p.lyricsEditColor = ReadColour(s, "Lyrics Edit Color", systemColour);
    p.graphicEqColor = ReadColour(s, "GraphicEQ Color", systemColour);
    p.trans = ReadBool(s, "Trans", false);
    p.transValue = s.ReadInt(kSectionMain, "Trans Value", 128);
    p.saveStatus = ReadBool(s, "Save Status", false);
    p.highMode = ReadBool(s, "High Mode", false);
}

void ReadFavourites(const SettingsStore& s, PlayerSettings& p) {
    const int count = s.ReadInt(kSectionMain, "Favorite Count", 0);
    for (int i = 0; i < count && i < 10000; ++i) {
        p.favourites.push_back({s.ReadString(kSectionMain, Indexed("Favorite Name", i)),
                                s.ReadString(kSectionMain, Indexed("Favorite Path Name", i))});
    }
    p.selectFavorite = s.ReadString(kSectionMain, "Select Favorite");
}

void ReadCustomAndEtc(const SettingsStore& s, PlayerSettings& p) {
    for (int i = 0; i < kHotkeySlotCount; ++i) {
        p.hotkeys[i] =
            static_cast<uint32_t>(s.ReadInt(kSectionCustom, Indexed("Shortcut Key", i), 0));
    }
    const int extCount = s.ReadInt(kSectionCustom, "Ext Count", 0);
    for (int i = 0; i < extCount && i < 256; ++i) {
        p.extKeys.push_back(s.ReadInt(kSectionCustom, Indexed("Ext Key", i), 0) & 0xFF);
    }
    p.sleepKind = s.ReadInt(kSectionEtc, "Oyasumi Timer Kind", 0);
    p.wake.minutesAfterMidnight = s.ReadInt(kSectionEtc, "Ohayou Timer", 420);
    p.wake.kind = s.ReadInt(kSectionEtc, "Ohayou Timer Kind", 0);
    p.wake.weekdayMask = s.ReadInt(kSectionEtc, "Ohayou Timer Week", 0);
    p.wake.playlist = s.ReadString(kSectionEtc, "Ohayou Timer PlayList");
}

}  // namespace

PlayerSettings LoadAll(const SettingsStore& s, uint32_t systemWindowColour) {
    PlayerSettings p;
    ReadOptions(s, systemWindowColour, p);
    for (int i = 0; i < kEqualizerBands; ++i) {
        p.equalizer[i] = s.ReadInt(kSectionMain, Indexed("GraphicEQ Value", i + 1), 0);
    }
    if (p.saveStatus) {
        p.speed = s.ReadInt(kSectionMain, "Speed", 0);
        p.pitch = s.ReadInt(kSectionMain, "Pitch", 9);
        p.explorerFolder = s.ReadString(kSectionMain, "Explorer Folder");
        p.explorerShowFolder = s.ReadInt(kSectionMain, "Explorer Show Folder", 1);
        p.explorerViewType = s.ReadInt(kSectionMain, "Explorer View Type", 3);
        p.explorerSplit = s.ReadInt(kSectionMain, "Explorer Split", 0);
        p.explorerFolderSel = s.ReadInt(kSectionMain, "Explorer Folder Sel", 1);
        p.showMode = ReadBool(s, "Show Mode", false);
    }
    ReadFavourites(s, p);
    if (p.saveStatus) {
        p.detail = ReadBool(s, "Detail", true);
        p.loop = ReadBool(s, "Roop", false);
        p.random = ReadBool(s, "Rand", false);
        p.window.top = s.ReadInt(kSectionMain, "top", 0);
        p.window.left = s.ReadInt(kSectionMain, "left", 0);
        p.window.bottom = s.ReadInt(kSectionMain, "bottom", 327);
        p.window.right = s.ReadInt(kSectionMain, "right", 382);
        p.showFlag = s.ReadInt(kSectionMain, "Show Flag", 5);
        for (int i = 0; i < 4; ++i) {
            p.itemWidth[i] = s.ReadInt(kSectionMain, Indexed("Item Width", i), 100) & 0xFFFF;
        }
    }
    ReadCustomAndEtc(s, p);
    return p;
}

void WriteFavouriteKeys(SettingsStore& s, const std::vector<FavouriteRecord>& favourites) {
    SettingsStore::Batch batch(s);
    s.WriteInt(kSectionMain, "Favorite Count", static_cast<int>(favourites.size()));
    for (size_t i = 0; i < favourites.size(); ++i) {
        s.WriteString(kSectionMain, Indexed("Favorite Name", static_cast<int>(i)),
                      favourites[i].name);
        s.WriteString(kSectionMain, Indexed("Favorite Path Name", static_cast<int>(i)),
                      favourites[i].path);
    }
}

void SaveOnExit(SettingsStore& s, const PlayerSettings& p) {
    SettingsStore::Batch batch(s);
    if (p.saveStatus) {
        s.WriteInt(kSectionMain, "Detail", p.detail);
        s.WriteInt(kSectionMain, "Roop", p.loop);
        s.WriteInt(kSectionMain, "Rand", p.random);
        s.WriteInt(kSectionMain, "Speed", p.speed);
        s.WriteInt(kSectionMain, "Pitch", p.pitch);
        s.WriteString(kSectionMain, "Explorer Folder", p.explorerFolder);
        s.WriteInt(kSectionMain, "Explorer Show Folder", p.explorerShowFolder);
        s.WriteInt(kSectionMain, "Explorer View Type", p.explorerViewType);
        s.WriteInt(kSectionMain, "Explorer Split", p.explorerSplit);
        s.WriteInt(kSectionMain, "Explorer Folder Sel", p.explorerFolderSel);
        s.WriteInt(kSectionMain, "Show Mode", p.showMode);
        s.WriteInt(kSectionMain, "top", p.window.top);
        s.WriteInt(kSectionMain, "left", p.window.left);
        s.WriteInt(kSectionMain, "bottom", p.window.bottom);
        s.WriteInt(kSectionMain, "right", p.window.right);
        s.WriteInt(kSectionMain, "Show Flag", p.showFlag);
        for (int i = 0; i < 4; ++i)
            s.WriteInt(kSectionMain, Indexed("Item Width", i), p.itemWidth[i]);
    }
    WriteFavouriteKeys(s, p.favourites);
    s.WriteString(kSectionMain, "Select Favorite", p.selectFavorite);
}

}  // namespace velk::app
