// The file the engine has open and what the open read of it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "decoder/frame_header.h"
#include "decoder/stream_info.h"
#include "file.h"
#include "tags/riff_layout.h"

namespace velk {

struct OpenFile {
    bool open = false;
    File file;
    std::string name;
    int64_t fileSize = 0;
    int64_t dataStart = 0;
    int64_t dataSize = 0;
    bool pcm = false;
    StreamInfo info;
    VbrTable vbr;
    int32_t playTime = 0;
    int32_t framePlayTime = 0;
    // Bits/s of the frame last decoded; bits per sample for PCM.
    std::atomic<int32_t> currentBitRate{0};
    double timeRatio = 1.0;
    int reductionAtOpen = 0;
    TagRecords tags;  // ID3v1 and RIFF INFO records and the wave format, as read at open

    int64_t bytesToSamples(int64_t bytes) const {
        return pcmBytesToSamples(bytes, info.bitsPerSample, info.channels);
    }
    int64_t samplesToBytes(int64_t samples) const {
        return pcmSamplesToBytes(samples, info.bitsPerSample, info.channels);
    }
    int64_t totalSamples() const { return bytesToSamples(info.frames * info.outputSize); }
};

}  // namespace velk
