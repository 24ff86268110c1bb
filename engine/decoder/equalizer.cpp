#include "decoder/equalizer.h"

#include <algorithm>
#include <cmath>

namespace velk {
namespace {

// First subband past the end of each band.
constexpr int kBandEnd[kEqualizerBands] = {1, 2, 3, 4, 5, 6, 8, 12, 20, 32};
// A caller's table is not trusted: beyond +-200 dB the gain would overflow to infinity and turn
// silent subbands into NaN.
constexpr int32_t kLimit = 2000;

}  // namespace

void equalizerGains(const int32_t* table, float* gains) {
    int subband = 0;
    for (int band = 0; band < kEqualizerBands; ++band) {
        // Tenths of a decibel to an amplitude factor: 10^(x / 200).
        const float gain =
            std::pow(10.0f, static_cast<float>(std::clamp(table[band], -kLimit, kLimit)) * 0.005f);
        for (; subband < kBandEnd[band]; ++subband) gains[subband] = gain;
    }
}

}  // namespace velk
