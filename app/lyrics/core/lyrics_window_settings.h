// Section "Lyrics Window": what the lyrics window shows and how, and its place when
// "Save Status" keeps it.
#pragma once

#include <cstdint>
#include <string>

#include "core/settings_section.h"

namespace velk::app {

inline constexpr const char* kSectionLyrics = "Lyrics Window";
inline constexpr const char* kDefaultLyricsTitleFont =
    "-19|0|0|0|700|0|0|0|128|3|2|1|49|ＭＳ ゴシック|";
inline constexpr const char* kDefaultLyricsNormalFont =
    "-16|0|0|0|400|0|0|0|128|3|2|1|49|ＭＳ ゴシック|";
inline constexpr Rect kDefaultLyricsRect{0, 0, 200, 400};

struct LyricsWindowSettings {
    bool show = true;
    int lines = 5;
    bool exist = true;
    bool topMost = false;
    bool fit = true;
    bool autoSize = true;
    uint32_t backColor = 0xFFFFFF;
    uint32_t backColor2 = 0xFF0000;
    bool trans = false;
    int transValue = 128;
    bool saveStatus = false;
    bool karaoke = true;
    bool mouseTrans = false;
    bool lyrics3 = false;  // a Lyrics3 block wins over a lyrics file beside the song
    std::string titleFont = kDefaultLyricsTitleFont;
    std::string normalFont = kDefaultLyricsNormalFont;
    uint32_t titleColor = 255;
    uint32_t normalColor = 0;
    uint32_t currentColor = 255;
    Rect window = kDefaultLyricsRect;
    int showFlag = 0;
};

LyricsWindowSettings ReadLyricsWindowSettings(const SettingsStore& store);
// What the options page writes when it is confirmed.
void WriteLyricsWindowOptions(SettingsStore& store, const LyricsWindowSettings& settings);
// The rectangle and "Show Flag", written at exit when "Save Status" is 1.
void WriteLyricsWindowState(SettingsStore& store, const LyricsWindowSettings& settings);

}  // namespace velk::app
