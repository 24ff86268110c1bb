// The main window's background: one-pixel rows from "Back Color" towards "Back Color2", each
// red, green and blue component stepping by exactly 1 per row until it arrives.
#pragma once

#include <cstdint>

namespace velk::app {

// Colours are 0x00BBGGRR; row 0 is `start`. The spectrum window's bars step `perRow` at a time.
uint32_t GradientRowColour(uint32_t start, uint32_t end, int row, int perRow = 1);

}  // namespace velk::app
