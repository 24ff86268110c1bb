// Decodes a whole MPEG audio stream in memory the way the decode thread does: decodeInit on the
// first frame, then frame after frame, stepping a byte and searching the next sync after a
// frame that does not parse.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "velk.h"

namespace velk::test {

struct DecodedStream {
    bool initialised = false;
    int channels = 0;
    int bitsPerSample = 0;
    int frequency = 0;
    int frames = 0;
    std::vector<uint8_t> pcm;
};

DecodedStream decodeStream(const std::vector<uint8_t>& stream, const DecodeOptions& options,
                           const int32_t* equalizer = nullptr);

// 16-bit little-endian samples of a PCM byte buffer.
std::vector<int16_t> samples16(const std::vector<uint8_t>& pcm);

struct Difference {
    double rms = 0;
    int largest = 0;
    size_t compared = 0;
};
// Error between two sample sequences over their common length.
Difference compareSamples(const std::vector<int16_t>& a, const std::vector<int16_t>& b);

}  // namespace velk::test
