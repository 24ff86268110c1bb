// Sections "Custom" (hotkeys and file types) and "Etc" (sleep and wake timers), each written by
// its own options page.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/hotkey_match.h"
#include "core/settings_store.h"
#include "core/wake_match.h"

namespace velk::app {

inline constexpr const char* kSectionCustom = "Custom";
inline constexpr const char* kSectionEtc = "Etc";

struct CustomSettings {
    std::array<uint32_t, kHotkeySlotCount> hotkeys{};  // low byte key code, next byte modifiers
    std::vector<int> extKeys;                          // one byte each
};

struct EtcSettings {
    int sleepKind = 0;
    WakeSettings wake;
};

CustomSettings ReadCustomSettings(const SettingsStore& store);
void WriteCustomSettings(SettingsStore& store, const CustomSettings& settings);

EtcSettings ReadEtcSettings(const SettingsStore& store);
void WriteEtcSettings(SettingsStore& store, const EtcSettings& settings);

}  // namespace velk::app
