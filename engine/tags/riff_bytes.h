// Little-endian fields and four-character ids of RIFF structures, read from and written into
// byte buffers.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace velk {

inline uint16_t getLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t getLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline int64_t getLe64(const uint8_t* p) {
    return static_cast<int64_t>(static_cast<uint64_t>(getLe32(p)) |
                                static_cast<uint64_t>(getLe32(p + 4)) << 32);
}

inline void putLe32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void putLe64(uint8_t* p, int64_t value) {
    putLe32(p, static_cast<uint32_t>(static_cast<uint64_t>(value)));
    putLe32(p + 4, static_cast<uint32_t>(static_cast<uint64_t>(value) >> 32));
}

inline bool hasId(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

inline void appendBytes(std::vector<uint8_t>& out, const void* data, size_t length) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + length);
}

inline void appendId(std::vector<uint8_t>& out, const char* id) {
    appendBytes(out, id, 4);
}

inline void appendLe16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void appendLe32(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t bytes[4];
    putLe32(bytes, value);
    appendBytes(out, bytes, 4);
}

inline void appendLe64(std::vector<uint8_t>& out, int64_t value) {
    appendLe32(out, static_cast<uint32_t>(static_cast<uint64_t>(value)));
    appendLe32(out, static_cast<uint32_t>(static_cast<uint64_t>(value) >> 32));
}

// Files of 4 GiB or more cannot state their size in a 32-bit field.
constexpr int64_t kFourGiB = int64_t{1} << 32;

// The RIFF size field (offset 4) of a file that ends at `fileEnd`.
inline uint32_t riffSizeField(int64_t fileEnd) {
    return fileEnd >= kFourGiB ? 0xFFFFFFFFu : static_cast<uint32_t>(fileEnd - 8);
}

}  // namespace velk
