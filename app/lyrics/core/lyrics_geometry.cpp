#include "lyrics/core/lyrics_geometry.h"

#include <algorithm>
#include <cstdint>

namespace velk::app {

namespace {

Rect Moved(const Rect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

Extent AutoSizedClient(const AutoSizeInput& in) {
    Extent out = in.client;
    out.height = std::max(out.height, in.lineHeight * in.lineSetting + kLyricsMargin);
    if (in.titleMode) {
        const int titleWidth = in.titleWidth + kLyricsMargin;
        out.width = in.fitToTitle ? titleWidth : std::max(out.width, titleWidth);
    }
    out.width = std::max(out.width, in.widestSlotWidth + kLyricsMargin);
    return out;
}

Rect KeptInside(const Rect& window, const Rect& workArea) {
    int dx = 0;
    int dy = 0;
    if (window.right > workArea.right) dx = workArea.right - window.right;
    if (window.left + dx < workArea.left) dx = workArea.left - window.left;
    if (window.bottom > workArea.bottom) dy = workArea.bottom - window.bottom;
    if (window.top + dy < workArea.top) dy = workArea.top - window.top;
    return Moved(window, dx, dy);
}

Rect Snapped(const Rect& window, const Rect& workArea, int dx, int dy) {
    int x = 0;
    int y = 0;
    if (dy < 0 && window.top <= workArea.top + kLyricsSnapDistance) y = workArea.top - window.top;
    if (dy > 0 && window.bottom >= workArea.bottom - kLyricsSnapDistance)
        y = workArea.bottom - window.bottom;
    if (dx < 0 && window.left <= workArea.left + kLyricsSnapDistance)
        x = workArea.left - window.left;
    if (dx > 0 && window.right >= workArea.right - kLyricsSnapDistance)
        x = workArea.right - window.right;
    return Moved(window, x, y);
}

int WipeRight(int lineLeft, int sungBeforeWidth, int segmentWidth, int progress, int duration) {
    const int sung = lineLeft + sungBeforeWidth;
    if (duration <= 0) return sung + segmentWidth;
    const int64_t part = static_cast<int64_t>(segmentWidth) * std::clamp(progress, 0, duration);
    return sung + static_cast<int>(part / duration);
}

}  // namespace velk::app
