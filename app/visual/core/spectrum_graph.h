// The arithmetic of the spectrum window's pictures: which bins each kind shows, how bars and
// their top marks rise and fall between ticks, and the colours of a bar's pixels.
#pragma once

#include <array>
#include <cstdint>

namespace velk::app {

enum SpectrumKind {
    kOscilloscope = 1,
    kFineArea = 2,
    kCoarseArea = 3,
    kFineBars = 4,
    kCoarseBars = 5,
    kPeaks = 6,
};
inline constexpr int kFirstSpectrumKind = kOscilloscope;
inline constexpr int kLastSpectrumKind = kPeaks;
inline constexpr int kVisualValues = 256;  // values per channel of the engine's visual data

// A kind outside 1..6 (a hand-edited settings file) is shown as the oscilloscope.
int ValidSpectrumKind(int kind);
// The double click's step: 1 → 2 → … → 6 → 1.
int NextSpectrumKind(int kind);

// Columns of a graph kind (2..6): every `step`-th column up to `last`.
struct GraphColumns {
    int step;
    int last;
};
GraphColumns ColumnsOfKind(int kind);
// The bin a column shows: (column ÷ step) × step².
int BinOfColumn(int column, int step);
// The surface columns stretched over the window: the top quarter of the band stays hidden.
int ShownColumns(int last);
// Kinds 3 to 6 paint two pixels per row; kind 6 paints only the marks.
bool IsWideKind(int kind);

// Pixels above the bottom for a bin of `decibels` in a window `height` pixels high: one
// truncate(height ÷ 70)-th of the height per decibel above 40 dB.
int SpectrumLevel(int decibels, int height);
// The stored bar falls by 100 per tick, to no less than 0 or the new level; it jumps up to a
// higher level at once.
int NextBarValue(int stored, int level);
// The top mark falls by 2 per tick while playing and holds while paused, likewise bounded.
int NextPeakValue(int stored, int level, bool playing);

// The colour of a bar's pixel `pixel` rows above the bottom: from `bottom` towards `top`, each
// of red, green and blue stepping 3 per pixel and stopping there (0x00BBGGRR values).
uint32_t BarPixelColour(uint32_t bottom, uint32_t top, int pixel);

// The levels and marks of every bin, kept between ticks.
struct SpectrumLevels {
    std::array<int, kVisualValues> bars{};
    std::array<int, kVisualValues> peaks{};
    void Clear() {
        bars.fill(0);
        peaks.fill(0);
    }
};

// One oscilloscope point, i = 1..127: the mean of both channels' sample 2i placed across the
// width, 0..200 mapped onto the height.
struct ScopePoint {
    int x;
    int y;
};
ScopePoint OscilloscopePoint(int i, int32_t left, int32_t right, int width, int height);

}  // namespace velk::app
