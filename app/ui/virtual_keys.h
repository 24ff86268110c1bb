// Windows virtual-key codes, which the settings file keeps for hotkeys, as X key symbols (the
// values Qt reports as native virtual keys on X11 and Wayland).
#pragma once

#include <cstdint>

namespace velk::app {

// 0 for a code without a symbol.
unsigned long KeySymOfVirtualKey(uint32_t virtualKey);

}  // namespace velk::app
