// Appending little-endian fields, for the test writers of archive and container formats.
#pragma once

#include <cstdint>
#include <vector>

namespace velk::test {

inline void appendLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void appendLe32(std::vector<uint8_t>& out, uint32_t v) {
    appendLe16(out, v & 0xFFFF);
    appendLe16(out, v >> 16);
}

}  // namespace velk::test
