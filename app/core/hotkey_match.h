// Hotkey slots as stored in the settings: bits 0-7 a Windows virtual-key code, bits 8-15 the
// modifier set. The match is a pure function so the 100 ms poll only has to supply key states.
#pragma once

#include <cstdint>

namespace velk::app {

enum HotkeyModifier : uint32_t { kModShift = 1, kModCtrl = 2, kModAlt = 4 };

constexpr int kHotkeySlotCount = 5;
enum HotkeySlot {
    kSlotPlayPause = 0,
    kSlotStop = 1,
    kSlotPrevious = 2,
    kSlotNext = 3,
    kSlotTray = 4
};

struct ModifierState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

inline uint32_t HotkeyKeyCode(uint32_t slotValue) {
    return slotValue & 0xFF;
}
inline uint32_t HotkeyModifiers(uint32_t slotValue) {
    return (slotValue >> 8) & 0xFF;
}

// The key whose state is tested for a slot: code 240 stands for Caps Lock (20).
uint32_t PolledKeyCode(uint32_t slotValue);

// True when the slot's key is down and every modifier it requires is held; extra modifiers
// do not stop it (a Ctrl hotkey also fires with Ctrl+Shift). An empty slot never fires.
bool HotkeyFires(uint32_t slotValue, bool keyDown, const ModifierState& mods);

}  // namespace velk::app
