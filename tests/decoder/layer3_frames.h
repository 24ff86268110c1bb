// Hand-made Layer III frames for the damaged-data tests: side information written field by
// field, then main data bits.
#pragma once

#include <cstdint>
#include <vector>

#include "support/frame_builder.h"

namespace velk::test {

struct GranuleFields {
    uint32_t part23Length = 0;
    uint32_t bigValues = 0;
    uint32_t globalGain = 210;
    uint32_t scalefacCompress = 0;
    uint32_t windowSwitching = 0;
    uint32_t blockType = 0;
    uint32_t mixedBlock = 0;
    uint32_t tableSelect[3] = {0, 0, 0};
    uint32_t region0Count = 0;
    uint32_t region1Count = 0;
    uint32_t count1Table = 0;
};

struct Layer3FrameFields {
    HeaderFields header;
    int modeExtension = 0;
    uint32_t mainDataBegin = 0;
    GranuleFields granule;          // used for every granule and channel
    std::vector<uint8_t> mainData;  // written after the side information
};

std::vector<uint8_t> layer3Frame(const Layer3FrameFields& shape);

}  // namespace velk::test
