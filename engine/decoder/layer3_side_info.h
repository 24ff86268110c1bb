// Layer III side information: the frame's reservoir pointer and each granule's and channel's
// coding parameters.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/frame_header.h"

namespace velk {

struct GranuleChannelInfo {
    uint32_t part23Length;
    uint32_t bigValues;
    int32_t globalGain;  // less 2 when the frame is mid/side coded (may reach -2)
    uint32_t scalefacCompress;
    uint32_t windowSwitching;
    uint32_t blockType;
    uint32_t mixedBlock;
    uint32_t tableSelect[3];
    uint32_t subblockGain[3];
    uint32_t region0Count;
    uint32_t region1Count;
    uint32_t preflag;
    uint32_t scalefacScale;
    uint32_t count1Table;
};

struct Layer3SideInfo {
    uint32_t mainDataBegin;
    uint32_t scfsi[2];
    GranuleChannelInfo granules[2][2];  // [granule][channel]
};

// Reads the side information from `bytes` (which holds at least layer3SideInfoBytes). Mid/side
// lowers every global gain by 2.
void readSideInfo(const uint8_t* bytes, size_t size, const FrameHeader& header, int channels,
                  bool midSide, Layer3SideInfo& out);

}  // namespace velk
