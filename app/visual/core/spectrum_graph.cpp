#include "visual/core/spectrum_graph.h"

#include <algorithm>
#include <cstdint>

#include "core/gradient.h"

namespace velk::app {

namespace {

constexpr int kBarFallPerTick = 100;
constexpr int kPeakFallPerTick = 2;
constexpr int kBarColourStep = 3;
constexpr int kDecibelFloor = 40;
constexpr int kPixelsPerDecibelDivisor = 70;
constexpr double kShownPartOfBand = 0.76;

int Fallen(int stored, int level, int fall) {
    if (stored < level) return level;
    return std::max({stored - fall, 0, level});
}

}  // namespace

int ValidSpectrumKind(int kind) {
    return kind >= kFirstSpectrumKind && kind <= kLastSpectrumKind ? kind : kOscilloscope;
}

int NextSpectrumKind(int kind) {
    return ValidSpectrumKind(kind) == kLastSpectrumKind ? kFirstSpectrumKind
                                                        : ValidSpectrumKind(kind) + 1;
}

GraphColumns ColumnsOfKind(int kind) {
    switch (kind) {
        case kFineArea:
            return {1, 255};
        case kCoarseArea:
            return {2, 127};
        case kFineBars:
            return {3, 85};
        default:
            return {4, 63};
    }
}

int BinOfColumn(int column, int step) {
    return (column / step) * step * step;
}

int ShownColumns(int last) {
    return static_cast<int>(last * kShownPartOfBand);
}

bool IsWideKind(int kind) {
    return kind >= kCoarseArea;
}

// The engine gives the most negative integer for a bin of no energy; the product is kept in
// a range where the falls below cannot overflow.
int SpectrumLevel(int decibels, int height) {
    constexpr int64_t kBound = 1 << 30;
    const int64_t level = (static_cast<int64_t>(decibels) - kDecibelFloor) *
                          (std::max(height, 0) / kPixelsPerDecibelDivisor);
    return static_cast<int>(std::clamp(level, -kBound, kBound));
}

int NextBarValue(int stored, int level) {
    return Fallen(stored, level, kBarFallPerTick);
}

int NextPeakValue(int stored, int level, bool playing) {
    return Fallen(stored, level, playing ? kPeakFallPerTick : 0);
}

uint32_t BarPixelColour(uint32_t bottom, uint32_t top, int pixel) {
    return GradientRowColour(bottom, top, pixel, kBarColourStep);
}

ScopePoint OscilloscopePoint(int i, int32_t left, int32_t right, int width, int height) {
    const int v = (left + right) / 2 + 100;
    return {static_cast<int>(static_cast<int64_t>(width) * 2 * i / 256),
            static_cast<int>(height * 0.005 * v)};
}

}  // namespace velk::app
