// Every settings record of the player, read in one start-up pass and written in one exit pass.
#pragma once

#include <cstdint>

#include "core/custom_settings.h"
#include "core/main_window_settings.h"
#include "lyrics/core/lyrics_window_settings.h"
#include "visual/core/spectrum_window_settings.h"

namespace velk::app {

struct PlayerSettings {
    MainWindowSettings main;
    CustomSettings custom;
    EtcSettings etc;
    LyricsWindowSettings lyrics;
    SpectrumWindowSettings spec;
};

// The start-up pass. `systemWindowColour` (0x00BBGGRR) stands in for colour keys that default
// to the system's window colour.
PlayerSettings LoadAll(const SettingsStore& store, uint32_t systemWindowColour);

// The exit pass: each window's state only with its own "Save Status" 1, the favourites keys
// always.
void SaveOnExit(SettingsStore& store, const PlayerSettings& settings);

}  // namespace velk::app
