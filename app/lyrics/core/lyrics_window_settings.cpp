#include "lyrics/core/lyrics_window_settings.h"

namespace velk::app {

LyricsWindowSettings ReadLyricsWindowSettings(const SettingsStore& store) {
    const SettingsSection s(store, kSectionLyrics);
    LyricsWindowSettings l;
    l.show = s.Bool("Show", true);
    l.lines = s.Int("Line", 5);
    l.exist = s.Bool("Exist", true);
    l.topMost = s.Bool("TopMost", false);
    l.fit = s.Bool("Fit", true);
    l.autoSize = s.Bool("AutoSize", true);
    l.backColor = s.Colour("Back Color", 0xFFFFFF);
    l.backColor2 = s.Colour("Back Color2", 0xFF0000);
    l.trans = s.Bool("Trans", false);
    l.transValue = s.Int("Trans Value", 128);
    l.saveStatus = s.Bool("Save Status", false);
    l.karaoke = s.Bool("Karaoke", true);
    l.mouseTrans = s.Bool("Mouse Trans", false);
    l.lyrics3 = s.Bool("Lyrics3", false);
    l.titleFont = s.String("Title Font", kDefaultLyricsTitleFont);
    l.normalFont = s.String("Normal Font", kDefaultLyricsNormalFont);
    l.titleColor = s.Colour("Title Color", 255);
    l.normalColor = s.Colour("Normal Color", 0);
    l.currentColor = s.Colour("Current Color", 255);
    if (l.saveStatus) {
        l.window = s.Rectangle(kDefaultLyricsRect);
        l.showFlag = s.Int("Show Flag", 0);
    }
    return l;
}

void WriteLyricsWindowOptions(SettingsStore& store, const LyricsWindowSettings& l) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionLyrics);
    s.Int("Show", l.show);
    s.Int("Line", l.lines);
    s.Int("Exist", l.exist);
    s.Int("TopMost", l.topMost);
    s.Int("Fit", l.fit);
    s.Int("AutoSize", l.autoSize);
    s.Colour("Back Color", l.backColor);
    s.Colour("Back Color2", l.backColor2);
    s.Int("Trans", l.trans);
    s.Int("Trans Value", l.transValue);
    s.Int("Save Status", l.saveStatus);
    s.Int("Karaoke", l.karaoke);
    s.Int("Mouse Trans", l.mouseTrans);
    s.Int("Lyrics3", l.lyrics3);
    s.String("Title Font", l.titleFont);
    s.String("Normal Font", l.normalFont);
    s.Colour("Title Color", l.titleColor);
    s.Colour("Normal Color", l.normalColor);
    s.Colour("Current Color", l.currentColor);
}

void WriteLyricsWindowState(SettingsStore& store, const LyricsWindowSettings& l) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionLyrics);
    s.Rectangle(l.window);
    s.Int("Show Flag", l.showFlag);
}

}  // namespace velk::app
