// A hotkey slot's stored value (Windows virtual-key code in the low byte, modifier set 1 Shift,
// 2 Ctrl, 4 Alt in the next) as the key sequence the customise page edits, and back, so that
// settings files keep their meaning.
#pragma once

#include <QKeySequence>
#include <cstdint>

namespace velk::app {

// Empty for 0 or a key without a Qt counterpart.
QKeySequence KeySequenceOfHotkey(uint32_t value);
// The first key combination of `sequence`; 0 when empty or when its key has no virtual-key code.
uint32_t HotkeyOfKeySequence(const QKeySequence& sequence);

}  // namespace velk::app
