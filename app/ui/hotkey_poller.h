// The key state the hotkey poll reads: on X11 the whole keyboard's (global hotkeys); elsewhere
// the keys pressed while a Velkaro window has the focus.
#pragma once

#include <cstdint>
#include <memory>

#include "core/hotkey_match.h"

namespace velk::app {

class KeyState {
  public:
    virtual ~KeyState() = default;
    // Takes one reading; the queries below answer from it.
    virtual void Sample() = 0;
    virtual bool KeyDown(uint32_t virtualKey) const = 0;
    virtual ModifierState Modifiers() const = 0;
    // The left mouse button is held.
    virtual bool LeftButtonDown() const = 0;
};

// XQueryKeymap over a display connection of its own; null without X11 or a display.
std::unique_ptr<KeyState> MakeX11KeyState();
// Keys seen by the application's event filter while one of its windows has the focus.
std::unique_ptr<KeyState> MakeFocusKeyState();
// The X11 reading when the player runs on X11, else the focus reading.
std::unique_ptr<KeyState> MakeKeyState();

}  // namespace velk::app
