// Layer III scale factors: the MPEG-1 layouts with scfsi reuse, and the lower-rate layouts of
// ISO/IEC 13818-3 with the intensity positions of the right channel.
#pragma once

#include <cstdint>

#include "decoder/bit_reader.h"
#include "decoder/layer3_side_info.h"

namespace velk {

struct ScaleFactors {
    uint8_t longBands[22];      // band 21 is always 0
    uint8_t shortBands[13][3];  // band 12 is always 0
    // Lower rates only: bits of each band's value, which fixes its illegal intensity position.
    uint8_t longWidth[22];
    uint8_t shortWidth[13];
};

// MPEG-1. For granule 1, the band groups whose scfsi bit is set keep granule 0's values, so
// `sf` must still hold them.
void readScaleFactorsMpeg1(BitReader& reader, const GranuleChannelInfo& info, uint32_t scfsi,
                           int granule, ScaleFactors& sf);

// Lower rates. `intensityRight` selects the right channel's intensity layout of an
// intensity-stereo frame. Sets info.preflag as the compress value prescribes.
void readScaleFactorsLsf(BitReader& reader, GranuleChannelInfo& info, bool intensityRight,
                         ScaleFactors& sf);

}  // namespace velk
