// The band limits of a Layer III stream: how many lines and subbands are decoded for the
// output rate and the frequency limit.
#pragma once

#include <cstdint>

namespace velk {

struct Layer3Limits {
    // Lines decoded, long or short blocks alike (a short block's windows are cut in coded
    // order, which puts every window's cut at the same frequency): below the frequency limit,
    // at most all 576.
    int lineLimit;
    int hybridSubbands;  // subbands through the hybrid filter
    int mixedLongBands;  // long bands of a mixed block
};

// `streamRate` is the unreduced sample rate of the stream.
Layer3Limits layer3Limits(uint32_t version, int streamRate, int reduction, int freqLimit);

}  // namespace velk
