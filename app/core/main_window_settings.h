// Section "Main Window": the options of the first options page, the equalizer values, the
// window state kept with "Save Status", and the favourites keys.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/settings_section.h"

namespace velk::app {

inline constexpr const char* kSectionMain = "Main Window";

constexpr int kEqualizerBands = 10;
constexpr int kCompactHeight = 120;
constexpr int kPlaylistColumns = 4;
constexpr int kExplorerListColumns = 6;
// The explorer's tree: its width (or height) with "Save Status" and without.
constexpr int kExplorerFolderWidth = 200;
constexpr int kExplorerFolderWidthUnsaved = 160;
inline constexpr Rect kDefaultMainRect{0, 0, 382, 327};
// The show states of a stored window placement.
enum ShowFlag { kShowNormal = 1, kShowMinimised = 2, kShowMaximised = 3, kShowDefault = 5 };

struct FavouriteRecord {
    std::string name;
    std::string path;
};

struct MainWindowSettings {
    // Options; colours are 0x00BBGGRR.
    int nameType = 1;
    int timeType = 0;
    bool fadeIn = false;
    bool fadeOut = false;
    bool silentSkip = false;
    uint32_t backColor = 0xFFFFFF;
    uint32_t backColor2 = 0xFF0000;
    uint32_t favoriteColor = 0;
    uint32_t fileListColor = 0;
    uint32_t currentLineColor = 0xC8C800;
    uint32_t lyricsListColor = 0;
    uint32_t lyricsEditColor = 0;
    uint32_t graphicEqColor = 0;
    bool trans = false;
    int transValue = 128;
    bool saveStatus = false;
    bool highMode = false;
    std::array<int, kEqualizerBands> equalizer{};

    // Window state, kept only with "Save Status" 1; these are the start values without it.
    bool detail = true;
    bool loop = true;
    bool random = false;
    int speed = 0;
    int pitch = 9;
    std::string explorerFolder;
    int explorerShowFolder = 1;
    int explorerViewType = 3;
    int explorerSplit = 0;
    int explorerFolderSel = 1;
    int explorerFolderWidth = kExplorerFolderWidthUnsaved;
    // "Explorer Item Width0..5"; the list's own widths without "Save Status".
    std::array<int, kExplorerListColumns> explorerItemWidth{160, 25, 50, 70, 100, 110};
    bool showMode = false;
    Rect window = kDefaultMainRect;
    int showFlag = kShowDefault;
    std::array<int, kPlaylistColumns> itemWidth{200, 25, 75, 40};  // the dialog's own widths

    // Favourites, always kept.
    std::vector<FavouriteRecord> favourites;
    std::string selectFavorite;
};

// `systemWindowColour` (0x00BBGGRR) stands in for colour keys that default to the system's
// window colour.
MainWindowSettings ReadMainWindowSettings(const SettingsStore& store, uint32_t systemWindowColour);

// What the options page writes when it is confirmed.
void WriteMainWindowOptions(SettingsStore& store, const MainWindowSettings& settings);
// "GraphicEQ Value1" .. "GraphicEQ Value10".
void WriteEqualizerValues(SettingsStore& store, const MainWindowSettings& settings);
// The window state of the exit pass (the caller checks "Save Status").
void WriteMainWindowState(SettingsStore& store, const MainWindowSettings& settings);
// "Favorite Count", every name/path pair and "Select Favorite".
void WriteFavouriteKeys(SettingsStore& store, const MainWindowSettings& settings);

}  // namespace velk::app
