// Synthetic MPEG audio frames for tests: headers, silent frames, Xing and VBRI first frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velk::test {

struct HeaderFields {
    int version = 1;  // 1, 2, 3 (MPEG-2.5)
    int layer = 3;
    int bitrateIndex = 9;  // 128 kbit/s for MPEG-1 Layer III
    int rateIndex = 0;
    int padding = 0;
    int mode = 0;  // 3 single channel
    bool crc = false;
};

std::vector<uint8_t> headerBytes(const HeaderFields& shape);
// Length in bytes of a frame with this header.
int frameBytes(const HeaderFields& shape);
// A frame whose payload after the header is all zeros.
std::vector<uint8_t> silentFrame(const HeaderFields& shape);
// `count` silent frames one after another.
std::vector<uint8_t> silentStream(const HeaderFields& shape, int count);

void putBe32(std::vector<uint8_t>& out, size_t at, uint32_t value);
void putBe16(std::vector<uint8_t>& out, size_t at, uint16_t value);

}  // namespace velk::test
