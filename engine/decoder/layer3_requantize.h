// Layer III requantisation: the spectral values' powers scaled by gain and scale factors to
// full scale +-32768, with short-block values reordered window-interleaved.
#pragma once

#include <cstdint>

#include "decoder/layer3_scalefactors.h"
#include "decoder/layer3_side_info.h"
#include "decoder/layer3_tables.h"

namespace velk {

// Where the non-zero values of a requantised channel end, by band; intensity stereo starts
// after the right channel's.
struct BandUsage {
    int lastLongBand;      // -1 when no long band holds a non-zero value
    int lastShortBand[3];  // per window, -1 when none
};

// Requantises lines[0, nonZeroEnd) (Huffman values already raised to the power 4/3, as
// decodeSpectrum() gives them) into out[0, 576) (the rest zero) and returns the new non-zero
// end: short bands are reordered, so a partly filled band counts whole. `mixedLongBands` is
// the long-band count of a mixed block (8 for MPEG-1, 6 otherwise).
int requantize(const float* lines, int nonZeroEnd, const GranuleChannelInfo& info,
               const ScaleFactors& sf, const BandTable& bands, int mixedLongBands, float* out,
               BandUsage& usage);

}  // namespace velk
