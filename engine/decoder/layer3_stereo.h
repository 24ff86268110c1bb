// Layer III joint stereo: mid/side and intensity stereo on a requantised granule.
#pragma once

#include "decoder/layer3_requantize.h"
#include "decoder/layer3_scalefactors.h"
#include "decoder/layer3_side_info.h"
#include "decoder/layer3_tables.h"

namespace velk {

struct StereoGranule {
    float* left;
    float* right;
    int* leftEnd;  // non-zero ends, raised to the larger of the two
    int* rightEnd;
    const GranuleChannelInfo* rightInfo;  // the right channel's block layout and scale factors
    const ScaleFactors* rightScaleFactors;
    const BandUsage* rightUsage;
    const BandTable* bands;
    int mixedLongBands;
};

struct StereoModes {
    bool midSide;
    bool intensity;
    bool lowerRate;      // ISO/IEC 13818-3 intensity positions and ratios
    int intensityScale;  // lower rates: bit 0 of the right channel's compress value
};

void applyJointStereo(const StereoGranule& granule, const StereoModes& modes);

}  // namespace velk
