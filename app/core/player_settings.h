// Every main-window setting with its key and default, and the start-up and exit passes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/hotkey_match.h"
#include "core/settings_store.h"
#include "core/wake_match.h"

namespace velk::app {

inline constexpr const char* kSectionMain = "Main Window";
inline constexpr const char* kSectionCustom = "Custom";
inline constexpr const char* kSectionEtc = "Etc";

constexpr int kEqualizerBands = 10;
constexpr int kCompactHeight = 120;

struct Rect {
    int left = 0, top = 0, right = 382, bottom = 327;
};

struct FavouriteRecord {
    std::string name;
    std::string path;
};

struct PlayerSettings {
    // Options ("Main Window"); colours are 0x00BBGGRR.
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

    // Window state, kept only with "Save Status" 1.
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
    bool showMode = false;
    Rect window;
    int showFlag = 5;
    std::array<int, 4> itemWidth{200, 25, 75, 40};  // the dialog's own widths

    // Favourites, always kept.
    std::vector<FavouriteRecord> favourites;
    std::string selectFavorite;

    // "Custom" and "Etc".
    std::array<uint32_t, kHotkeySlotCount> hotkeys{};
    std::vector<int> extKeys;
    int sleepKind = 0;
    WakeSettings wake;
};

// The start-up pass. `systemWindowColour` (0x00BBGGRR) stands in for colour keys that default
// to the system's window colour.
PlayerSettings LoadAll(const SettingsStore& store, uint32_t systemWindowColour);

// The exit pass: window state only with "Save Status" 1, the favourites keys always.
void SaveOnExit(SettingsStore& store, const PlayerSettings& settings);

// Writes "Favorite Count" and every name/path pair.
void WriteFavouriteKeys(SettingsStore& store, const std::vector<FavouriteRecord>& favourites);

}  // namespace velk::app
