// Where the lyrics window goes and how big it grows: auto size, keeping it inside the work
// area, snapping to the work area's edges while it is dragged, and the karaoke wipe's edge.
#pragma once

#include "core/settings_section.h"

namespace velk::app {

inline constexpr int kLyricsMargin = 20;  // added to text widths and to the lines' height
inline constexpr int kLyricsSnapDistance = 30;

struct Extent {
    int width = 0;
    int height = 0;
};

struct AutoSizeInput {
    Extent client;
    int lineHeight = 0;
    int lineSetting = 5;
    bool titleMode = false;
    int titleWidth = 0;
    bool fitToTitle = false;  // the width is set from the title this once
    int widestSlotWidth = 0;
};

// The client size auto size asks for: it only grows, apart from the width set from the title.
Extent AutoSizedClient(const AutoSizeInput& in);

// The window moved back inside the work area, its size kept.
Rect KeptInside(const Rect& window, const Rect& workArea);

// The window after a drag step of (dx, dy): an edge within 30 pixels of the work area's edge
// it moves towards lands on that edge.
Rect Snapped(const Rect& window, const Rect& workArea, int dx, int dy);

// Right edge of the karaoke wipe: the sung part of the line and the progress through the
// current segment. A segment without a known length counts as sung.
int WipeRight(int lineLeft, int sungBeforeWidth, int segmentWidth, int progress, int duration);

}  // namespace velk::app
