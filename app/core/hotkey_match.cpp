#include "core/hotkey_match.h"

namespace velk::app {

uint32_t PolledKeyCode(uint32_t slotValue) {
    const uint32_t code = HotkeyKeyCode(slotValue);
    return code == 240 ? 20 : code;
}

bool HotkeyFires(uint32_t slotValue, bool keyDown, const ModifierState& mods) {
    if (PolledKeyCode(slotValue) == 0 || !keyDown) return false;
    const uint32_t required = HotkeyModifiers(slotValue);
    if ((required & kModAlt) && !mods.alt) return false;
    if ((required & kModCtrl) && !mods.ctrl) return false;
    if ((required & kModShift) && !mods.shift) return false;
    return true;
}

}  // namespace velk::app
