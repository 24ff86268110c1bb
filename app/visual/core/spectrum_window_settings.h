// Section "Spec Window": the spectrum window's kind, colours and behaviour, and its place when
// "Save Status" keeps it.
#pragma once

#include <cstdint>

#include "core/settings_section.h"

namespace velk::app {

inline constexpr const char* kSectionSpectrum = "Spec Window";
inline constexpr Rect kDefaultSpectrumRect{0, 0, 255, 255};

struct SpectrumWindowSettings {
    bool show = true;
    int kind = 1;  // 1..6
    bool playing = true;
    bool topMost = false;
    bool fit = true;
    uint32_t foreColor = 255;
    uint32_t foreColor2 = 65535;
    uint32_t topColor = 0;
    uint32_t waveColor = 0;
    uint32_t backColor = 16777215;
    uint32_t backColor2 = 16711680;
    bool trans = false;
    int transValue = 128;
    bool saveStatus = false;
    bool mouseTrans = false;
    bool topDelay = true;
    Rect window = kDefaultSpectrumRect;
    int showFlag = 0;
};

SpectrumWindowSettings ReadSpectrumWindowSettings(const SettingsStore& store);
// What the options page writes when it is confirmed.
void WriteSpectrumWindowOptions(SettingsStore& store, const SpectrumWindowSettings& settings);
// The rectangle, "Show Flag", "Kind" and "Top Delay", written at exit when "Save Status" is 1.
void WriteSpectrumWindowState(SettingsStore& store, const SpectrumWindowSettings& settings);

}  // namespace velk::app
