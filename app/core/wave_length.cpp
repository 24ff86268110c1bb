#include "core/wave_length.h"

#include <cstring>
#include <fstream>

namespace velk::app {

namespace {

uint32_t LittleEndian32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t LittleEndian16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

std::optional<WaveHeader> ReadWaveHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[40];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    WaveHeader wave;
    wave.channels = LittleEndian16(header + 22);
    wave.sampleRate = static_cast<int>(LittleEndian32(header + 24) & 0x7FFFFFFF);
    wave.bytesPerSecond = LittleEndian32(header + 28);
    const uint32_t formatSize = LittleEndian32(header + 16);
    in.seekg(20 + static_cast<std::streamoff>(formatSize));
    unsigned char chunk[8];
    if (in.read(reinterpret_cast<char*>(chunk), sizeof chunk) &&
        std::memcmp(chunk, "data", 4) == 0) {
        wave.dataSize = LittleEndian32(chunk + 4);
    }
    return wave;
}

std::optional<int> ReadWaveLength(const std::string& path) {
    const auto wave = ReadWaveHeader(path);
    if (!wave) return std::nullopt;
    return wave->Seconds();
}

}  // namespace velk::app
