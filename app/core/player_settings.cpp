#include "core/player_settings.h"

namespace velk::app {

PlayerSettings LoadAll(const SettingsStore& store, uint32_t systemWindowColour) {
    PlayerSettings p;
    p.main = ReadMainWindowSettings(store, systemWindowColour);
    p.lyrics = ReadLyricsWindowSettings(store);
    p.spec = ReadSpectrumWindowSettings(store);
    p.custom = ReadCustomSettings(store);
    p.etc = ReadEtcSettings(store);
    return p;
}

void SaveOnExit(SettingsStore& store, const PlayerSettings& p) {
    SettingsStore::Batch batch(store);
    if (p.main.saveStatus) WriteMainWindowState(store, p.main);
    WriteFavouriteKeys(store, p.main);
    if (p.lyrics.saveStatus) WriteLyricsWindowState(store, p.lyrics);
    if (p.spec.saveStatus) WriteSpectrumWindowState(store, p.spec);
}

}  // namespace velk::app
