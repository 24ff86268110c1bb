// The global key state for the hotkey poll: X11's keymap when the player runs on X11.
#pragma once

#include <cstdint>
#include <memory>

#include "core/hotkey_match.h"

namespace velk::app {

class HotkeyPoller {
  public:
    HotkeyPoller();
    ~HotkeyPoller();
    HotkeyPoller(const HotkeyPoller&) = delete;
    HotkeyPoller& operator=(const HotkeyPoller&) = delete;

    // False when no global key state can be read (no X11 display).
    bool Available() const;
    // Reads the keyboard once; the queries below answer from that reading.
    void Sample();
    bool KeyDown(uint32_t virtualKey) const;
    ModifierState Modifiers() const;
    bool LeftButtonDown() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace velk::app
