// The band limits of a Layer III stream: how many lines and subbands are decoded for the
// output rate and the frequency limit.
#pragma once

#include "decoder/layer3_tables.h"

namespace velk {

struct Layer3Limits {
    int lineLimit;       // lines decoded at all
    int longLimit;       // lines of long blocks
    int shortLimit;      // lines (all three windows) of short blocks
    int hybridSubbands;  // subbands through the hybrid filter
    int mixedLongBands;  // long bands of a mixed block
};

// `streamRate` is the unreduced sample rate of the stream.
Layer3Limits layer3Limits(uint32_t version, const BandTable& bands, int streamRate, int reduction,
                          int freqLimit);

}  // namespace velk
