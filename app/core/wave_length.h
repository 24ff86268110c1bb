// Play time and format of a PCM RIFF WAVE file read straight from its header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velk::app {

struct WaveHeader {
    int channels = 0;
    int sampleRate = 0;
    uint32_t bytesPerSecond = 0;
    // The "data" chunk's size; no value when the data chunk does not follow the format chunk.
    std::optional<uint32_t> dataSize;

    // Whole seconds of data; 0 without a data chunk or a byte rate.
    int Seconds() const {
        return dataSize && bytesPerSecond ? static_cast<int>(*dataSize / bytesPerSecond) : 0;
    }
};

// The header when the file starts with "RIFF" ... "WAVE" and a format chunk; no value when the
// file is not a WAVE file or cannot be read.
std::optional<WaveHeader> ReadWaveHeader(const std::string& path);

// The length in whole seconds when the file starts with "RIFF" ... "WAVE"; 0 when the data chunk
// does not follow the format chunk or the byte rate is 0. No value when the file is not a WAVE
// file or cannot be read.
std::optional<int> ReadWaveLength(const std::string& path);

}  // namespace velk::app
