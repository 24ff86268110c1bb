// Stream information derived from the first frame, and the VBR seek tables.
#pragma once

#include <cstdint>
#include <vector>

#include "decoder/frame_header.h"

namespace velk {

struct VbrTable {
    enum Kind : int { kNone = 0, kXing = 1, kVbri = 2 };
    int kind = kNone;
    int count = 0;                  // Xing: 100; VBRI: entry count + 1
    int framesPerEntry = 0;         // VBRI only
    std::vector<uint32_t> entries;  // Xing: 100 byte values; VBRI: byte lengths
};

struct StreamInfo {
    FrameHeader header{};
    int32_t channels = 0;
    int32_t bitsPerSample = 0;
    int32_t frequency = 0;
    int32_t bitRate = 0;  // bits/s; 0 for a VBR stream
    int64_t frames = 0;
    int32_t skipSize = 0;
    int64_t dataSize = 0;
    int32_t minInputSize = 0;
    int32_t maxInputSize = 0;
    int32_t outputSize = 0;
    VbrTable* vbrTable = nullptr;
};

}  // namespace velk
