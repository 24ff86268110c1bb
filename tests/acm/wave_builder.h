// Byte-level builders for conversion sources: RIFF WAVE files, good and broken, and test tones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velk::test {

using Bytes = std::vector<uint8_t>;

struct WaveFormat {
    uint16_t formatTag = 1;
    uint16_t channels = 2;
    uint32_t rate = 44100;
    uint16_t bits = 16;
};

// A chunk: id, size (`size` when given, else the data length), data, pad byte for odd data.
Bytes chunk(const std::string& id, const Bytes& data, int64_t size = -1);
// The 16-byte "fmt " chunk of this format.
Bytes formatChunk(const WaveFormat& format);
// "RIFF", size of the rest, "WAVE", then the chunks.
Bytes riffWave(const Bytes& chunks);
// A plain wave file: "fmt " then "data".
Bytes waveFile(const WaveFormat& format, const Bytes& pcm);

// `seconds` of 16-bit little-endian PCM: two sines per channel, different in each channel.
Bytes tone(int channels, int rate, double seconds);
Bytes operator+(Bytes a, const Bytes& b);
std::vector<int16_t> samplesOf(const Bytes& pcm);

}  // namespace velk::test
