// The ten-band graphic equalizer as 32 subband gains.
#pragma once

#include <cstdint>

namespace velk {

constexpr int kEqualizerBands = 10;
constexpr int kEqualizerSubbands = 32;

// Gains for a table of ten values in tenths of a decibel, band 0 first. The lower six bands
// cover one subband each; the upper four widen to 2, 4, 8 and 12 subbands, so the bands are
// roughly even on a logarithmic frequency scale.
// `gains` has room for kEqualizerSubbands values.
void equalizerGains(const int32_t* table, float* gains);

}  // namespace velk
