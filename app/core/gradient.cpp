#include "core/gradient.h"

#include <algorithm>

namespace velk::app {

uint32_t GradientRowColour(uint32_t start, uint32_t end, int row, int perRow) {
    const int steps = std::max(row, 0) * perRow;
    uint32_t colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int from = static_cast<int>((start >> shift) & 0xFF);
        const int to = static_cast<int>((end >> shift) & 0xFF);
        const int value = from < to ? std::min(from + steps, to) : std::max(from - steps, to);
        colour |= static_cast<uint32_t>(value) << shift;
    }
    return colour;
}

}  // namespace velk::app
