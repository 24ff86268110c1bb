// The equalizer panel's rules without its window: sliders show band values negated (top is
// +12 dB), a changed panel is one whose bands differ from the saved ones, and the engine works
// with small blocks while the panel is open so that a slider is heard at once.
#pragma once

#include <array>
#include <cstdint>

#include "core/main_window_settings.h"
#include "core/player_engine.h"

namespace velk::app {

using EqualizerValues = std::array<int, kEqualizerBands>;

inline constexpr int kEqualizerMinimum = -120;  // tenths of a decibel
inline constexpr int kEqualizerMaximum = 120;

inline int BandValueOfSlider(int position) {
    return -position;
}
inline int SliderOfBandValue(int value) {
    return -value;
}

// A slider's second colour: blue away from 0 dB, white at 0 (0x00BBGGRR).
uint32_t EqualizerSliderColour(int value);

bool EqualizerChanged(const EqualizerValues& now, const EqualizerValues& saved);

inline constexpr EngineBlocks kQuickResponseBlocks{1, 1, 5, 0};
inline constexpr EngineBlocks kNormalBlocks{30, 20, 5, 0};

// The engine takes new block sizes only when stopped: a playing or paused song is stopped,
// and after the change played again from the same second, paused again if it was.
void ChangeBlocksKeepingPlayback(PlayerEngine& engine, const EngineBlocks& blocks);

}  // namespace velk::app
