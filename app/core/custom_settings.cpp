#include "core/custom_settings.h"

#include "core/settings_section.h"

namespace velk::app {

namespace {

// There are far fewer file types than this; a damaged count must not read on and on.
constexpr int kMostFileTypes = 256;

}  // namespace

CustomSettings ReadCustomSettings(const SettingsStore& store) {
    const SettingsSection s(store, kSectionCustom);
    CustomSettings c;
    for (int i = 0; i < kHotkeySlotCount; ++i) {
        c.hotkeys[i] = static_cast<uint32_t>(s.Int(Indexed("Shortcut Key", i), 0));
    }
    const int count = s.Int("Ext Count", 0);
    for (int i = 0; i < count && i < kMostFileTypes; ++i) {
        c.extKeys.push_back(s.Int(Indexed("Ext Key", i), 0) & 0xFF);
    }
    return c;
}

void WriteCustomSettings(SettingsStore& store, const CustomSettings& c) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionCustom);
    for (int i = 0; i < kHotkeySlotCount; ++i) {
        s.Int(Indexed("Shortcut Key", i), static_cast<int>(c.hotkeys[i]));
    }
    s.Int("Ext Count", static_cast<int>(c.extKeys.size()));
    for (size_t i = 0; i < c.extKeys.size(); ++i) {
        s.Int(Indexed("Ext Key", static_cast<int>(i)), c.extKeys[i]);
    }
}

EtcSettings ReadEtcSettings(const SettingsStore& store) {
    const SettingsSection s(store, kSectionEtc);
    EtcSettings e;
    e.sleepKind = s.Int("Oyasumi Timer Kind", 0);
    e.wake.minutesAfterMidnight = s.Int("Ohayou Timer", 420);
    e.wake.kind = s.Int("Ohayou Timer Kind", 0);
    e.wake.weekdayMask = s.Int("Ohayou Timer Week", 0);
    e.wake.playlist = s.String("Ohayou Timer PlayList");
    return e;
}

void WriteEtcSettings(SettingsStore& store, const EtcSettings& e) {
    SettingsStore::Batch batch(store);
    SettingsSectionWriter s(store, kSectionEtc);
    s.Int("Oyasumi Timer Kind", e.sleepKind);
    s.Int("Ohayou Timer", e.wake.minutesAfterMidnight);
    s.Int("Ohayou Timer Kind", e.wake.kind);
    s.Int("Ohayou Timer Week", e.wake.weekdayMask);
    s.String("Ohayou Timer PlayList", e.wake.playlist);
}

}  // namespace velk::app
