#include "visual/core/spectrum_window_settings.h"

namespace velk::app {

SpectrumWindowSettings ReadSpectrumWindowSettings(const SettingsStore& store) {
    const SettingsSection s(store, kSectionSpectrum);
    SpectrumWindowSettings v;
    v.show = s.Bool("Show", true);
    v.kind = s.Int("Kind", 1);
    v.playing = s.Bool("Playing", true);
    v.topMost = s.Bool("TopMost", false);
    v.fit = s.Bool("Fit", true);
    v.foreColor = s.Colour("Fore Color", 255);
    v.foreColor2 = s.Colour("Fore Color2", 65535);
    v.topColor = s.Colour("Top Color", 0);
    v.waveColor = s.Colour("Wave Color", 0);
    v.backColor = s.Colour("Back Color", 16777215);
    v.backColor2 = s.Colour("Back Color2", 16711680);
    v.trans = s.Bool("Trans", false);
    v.transValue = s.Int("Trans Value", 128);
    v.saveStatus = s.Bool("Save Status", false);
    v.mouseTrans = s.Bool("Mouse Trans", false);
    v.topDelay = s.Bool("Top Delay", true);
    v.window = s.Rectangle(kDefaultSpectrumRect);
    v.showFlag = s.Int("Show Flag", 0);
    return v;
}

void WriteSpectrumWindowOptions(SettingsStore& store, const SpectrumWindowSettings& v) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionSpectrum);
    s.Int("Show", v.show);
    s.Int("Playing", v.playing);
    s.Int("TopMost", v.topMost);
    s.Int("Fit", v.fit);
    s.Colour("Fore Color", v.foreColor);
    s.Colour("Fore Color2", v.foreColor2);
    s.Colour("Top Color", v.topColor);
    s.Colour("Wave Color", v.waveColor);
    s.Colour("Back Color", v.backColor);
    s.Colour("Back Color2", v.backColor2);
    s.Int("Trans", v.trans);
    s.Int("Trans Value", v.transValue);
    s.Int("Save Status", v.saveStatus);
    s.Int("Mouse Trans", v.mouseTrans);
}

void WriteSpectrumWindowState(SettingsStore& store, const SpectrumWindowSettings& v) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionSpectrum);
    s.Rectangle(v.window);
    s.Int("Show Flag", v.showFlag);
    s.Int("Kind", v.kind);
    s.Int("Top Delay", v.topDelay);
}

}  // namespace velk::app
