#include "core/wave_length.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace velk::app {

namespace {

uint32_t LittleEndian32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

std::optional<int> ReadWaveLength(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[40];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    const uint32_t formatSize = LittleEndian32(header + 16);
    const uint32_t bytesPerSecond = LittleEndian32(header + 28);
    in.seekg(20 + static_cast<std::streamoff>(formatSize));
    unsigned char chunk[8];
    if (!in.read(reinterpret_cast<char*>(chunk), sizeof chunk)) return 0;
    if (std::memcmp(chunk, "data", 4) != 0 || bytesPerSecond == 0) return 0;
    return static_cast<int>(LittleEndian32(chunk + 4) / bytesPerSecond);
}

}  // namespace velk::app
