#include "visual/core/edge_snap.h"

#include <cstdlib>

namespace velk::app {

namespace {

constexpr int kSnapDistance = 30;

bool Near(int edge, int border) {
    return std::abs(edge - border) <= kSnapDistance;
}

}  // namespace

Rect DraggedWindow(const Rect& window, DragStep step, const WorkAreaMargins& margins,
                   int screenWidth, int screenHeight, bool fit) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int left = window.left + step.dx;
    int top = window.top + step.dy;
    if (fit) {
        const int bottomBorder = screenHeight - margins.bottom;
        const int rightBorder = screenWidth - margins.right;
        if (step.dy < 0 && Near(top, margins.top)) top = margins.top;
        if (step.dx < 0 && Near(left, margins.left)) left = margins.left;
        if (step.dy > 0 && Near(top + height, bottomBorder)) top = bottomBorder - height;
        if (step.dx > 0 && Near(left + width, rightBorder)) left = rightBorder - width;
    }
    return {left, top, left + width, top + height};
}

}  // namespace velk::app
