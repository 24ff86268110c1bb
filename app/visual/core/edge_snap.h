// Where a dragged floating window goes: it follows the mouse, and with "Fit" an edge moving
// towards the work area's border sticks to it once within 30 pixels.
#pragma once

#include "core/settings_section.h"

namespace velk::app {

// The task bar's extent on each edge of the screen (0 where it is not).
struct WorkAreaMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct DragStep {
    int dx = 0;
    int dy = 0;
};

// The window's new rectangle after a mouse movement of `step`; the screen is `screenWidth` ×
// `screenHeight` with its origin at 0, 0.
Rect DraggedWindow(const Rect& window, DragStep step, const WorkAreaMargins& margins,
                   int screenWidth, int screenHeight, bool fit);

}  // namespace velk::app
