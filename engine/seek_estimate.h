// The fast-seek estimate: a start frame close before a target sample, found from the VBR table
// or the frame length and then by walking frame headers without decoding.
#pragma once

#include <cstdint>
#include <string>

#include "decoder/frame_scanner.h"

namespace velk {

struct SeekStreamFacts {
    std::string fileName;  // opened a second time, so the decode thread's reads stay undisturbed
    StreamInfo info;       // of the first frame, with the engine's VBR table
    int64_t dataStart = 0;
    int64_t dataSize = 0;
    int64_t totalSamples = 0;
};

struct SeekStart {
    int64_t offset = 0;       // file offset of the frame to decode from
    int64_t outputBytes = 0;  // output bytes of all frames before it
};

// Never fails: when the file cannot be read the data start is the answer, with the engine's
// last error set as a read of the open file would set it.
SeekStart estimateSeekStart(const SeekStreamFacts& facts, FrameScanner& scanner, int64_t target);

}  // namespace velk
