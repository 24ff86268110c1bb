#include "ui/hotkey_sequence.h"

#include <array>

#include "core/hotkey_match.h"

namespace velk::app {

namespace {

struct KeyPair {
    uint32_t virtualKey;
    Qt::Key key;
    bool keypad;
};

// The keys other than letters, digits and function keys, which follow in runs.
constexpr std::array<KeyPair, 39> kKeys{{
    {0x08, Qt::Key_Backspace, false},
    {0x09, Qt::Key_Tab, false},
    {0x0D, Qt::Key_Return, false},
    {0x13, Qt::Key_Pause, false},
    {0x14, Qt::Key_CapsLock, false},
    {0x1B, Qt::Key_Escape, false},
    {0x20, Qt::Key_Space, false},
    {0x21, Qt::Key_PageUp, false},
    {0x22, Qt::Key_PageDown, false},
    {0x23, Qt::Key_End, false},
    {0x24, Qt::Key_Home, false},
    {0x25, Qt::Key_Left, false},
    {0x26, Qt::Key_Up, false},
    {0x27, Qt::Key_Right, false},
    {0x28, Qt::Key_Down, false},
    {0x2D, Qt::Key_Insert, false},
    {0x2E, Qt::Key_Delete, false},
    {0x60, Qt::Key_0, true},
    {0x61, Qt::Key_1, true},
    {0x62, Qt::Key_2, true},
    {0x63, Qt::Key_3, true},
    {0x64, Qt::Key_4, true},
    {0x65, Qt::Key_5, true},
    {0x66, Qt::Key_6, true},
    {0x67, Qt::Key_7, true},
    {0x68, Qt::Key_8, true},
    {0x69, Qt::Key_9, true},
    {0x6A, Qt::Key_Asterisk, true},
    {0x6B, Qt::Key_Plus, true},
    {0x6D, Qt::Key_Minus, true},
    {0x6E, Qt::Key_Period, true},
    {0x6F, Qt::Key_Slash, true},
    {0xAD, Qt::Key_VolumeMute, false},
    {0xB0, Qt::Key_MediaNext, false},
    {0xB1, Qt::Key_MediaPrevious, false},
    {0xAE, Qt::Key_VolumeDown, false},
    {0xAF, Qt::Key_VolumeUp, false},
    {0xB2, Qt::Key_MediaStop, false},
    {0xB3, Qt::Key_MediaPlay, false},
}};

constexpr uint32_t kFunctionKeyCount = 24;

// The Qt key (and whether it is on the keypad) of a virtual-key code; Key_unknown when none.
KeyPair PairOfVirtualKey(uint32_t vk) {
    if (vk >= 'A' && vk <= 'Z') return {vk, static_cast<Qt::Key>(Qt::Key_A + (vk - 'A')), false};
    if (vk >= '0' && vk <= '9') return {vk, static_cast<Qt::Key>(Qt::Key_0 + (vk - '0')), false};
    if (vk >= 0x70 && vk < 0x70 + kFunctionKeyCount)
        return {vk, static_cast<Qt::Key>(Qt::Key_F1 + (vk - 0x70)), false};
    for (const KeyPair& pair : kKeys) {
        if (pair.virtualKey == vk) return pair;
    }
    return {vk, Qt::Key_unknown, false};
}

uint32_t VirtualKeyOf(Qt::Key key, bool keypad) {
    if (!keypad && key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (!keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + static_cast<int>(kFunctionKeyCount))
        return 0x70 + (key - Qt::Key_F1);
    if (key == Qt::Key_Enter) return 0x0D;
    if (key == Qt::Key_MediaTogglePlayPause) return 0xB3;
    for (const KeyPair& pair : kKeys) {
        if (pair.key == key && pair.keypad == keypad) return pair.virtualKey;
    }
    return 0;
}

}  // namespace

QKeySequence KeySequenceOfHotkey(uint32_t value) {
    const KeyPair pair = PairOfVirtualKey(HotkeyKeyCode(value));
    if (pair.key == Qt::Key_unknown) return {};
    const uint32_t mods = HotkeyModifiers(value);
    Qt::KeyboardModifiers modifiers;
    if (mods & kModShift) modifiers |= Qt::ShiftModifier;
    if (mods & kModCtrl) modifiers |= Qt::ControlModifier;
    if (mods & kModAlt) modifiers |= Qt::AltModifier;
    if (pair.keypad) modifiers |= Qt::KeypadModifier;
    return QKeySequence(QKeyCombination(modifiers, pair.key));
}

uint32_t HotkeyOfKeySequence(const QKeySequence& sequence) {
    if (sequence.isEmpty()) return 0;
    const QKeyCombination combination = sequence[0];
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    const uint32_t vk = VirtualKeyOf(combination.key(), modifiers.testFlag(Qt::KeypadModifier));
    if (vk == 0) return 0;
    uint32_t mods = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) mods |= kModShift;
    if (modifiers.testFlag(Qt::ControlModifier)) mods |= kModCtrl;
    if (modifiers.testFlag(Qt::AltModifier)) mods |= kModAlt;
    return vk | (mods << 8);
}

}  // namespace velk::app
