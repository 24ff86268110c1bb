// One running conversion: the files and the stream that the conversion thread alone touches,
// and the pass loop that reads the source, encodes it and writes the frames.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "file.h"
#include "output/acm_stream.h"

namespace velk {

// What the caller's thread sees of a running conversion.
struct ConversionProgress {
    std::atomic<int64_t> bytesRead{0};
    std::atomic<int64_t> bytesWritten{0};
    std::atomic<bool> stopRequested{false};
};

struct ConversionJob {
    static constexpr size_t kSourceBufferBytes = 8192;
    static constexpr size_t kDestinationBufferBytes = 2048;

    Mp3EncodeStream stream;
    File source;
    File output;
    int64_t dataOffset = 0;
    uint32_t dataSize = 0;

    // Runs passes until the data ends, a stop is asked for or the encoder fails.
    void run(ConversionProgress& progress);
};

}  // namespace velk
