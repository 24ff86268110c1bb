#include "support/mpeg_frames.h"

#include "decoder/frame_header.h"

namespace velk::test {

std::vector<uint8_t> headerBytes(const HeaderFields& s) {
    const uint8_t versionBits = s.version == 1 ? 0x18 : s.version == 2 ? 0x10 : 0x00;
    const uint8_t b1 =
        static_cast<uint8_t>(0xE0 | versionBits | ((4 - s.layer) << 1) | (s.crc ? 0 : 1));
    const uint8_t b2 =
        static_cast<uint8_t>((s.bitrateIndex << 4) | (s.rateIndex << 2) | (s.padding << 1));
    const uint8_t b3 = static_cast<uint8_t>(s.mode << 6);
    return {0xFF, b1, b2, b3};
}

int frameBytes(const HeaderFields& s) {
    FrameHeader h{};
    const auto bytes = headerBytes(s);
    parseFrameHeader(bytes.data(), h);
    return frameLength(h, bitrateKbps(h) * 1000, sampleRateHz(h));
}

std::vector<uint8_t> silentFrame(const HeaderFields& s) {
    std::vector<uint8_t> frame(static_cast<size_t>(frameBytes(s)), 0);
    const auto header = headerBytes(s);
    std::copy(header.begin(), header.end(), frame.begin());
    return frame;
}

std::vector<uint8_t> silentStream(const HeaderFields& s, int count) {
    std::vector<uint8_t> out;
    const auto frame = silentFrame(s);
    for (int i = 0; i < count; ++i) out.insert(out.end(), frame.begin(), frame.end());
    return out;
}

void putBe32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v >> 24);
    out[at + 1] = static_cast<uint8_t>(v >> 16);
    out[at + 2] = static_cast<uint8_t>(v >> 8);
    out[at + 3] = static_cast<uint8_t>(v);
}

void putBe16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
    out[at] = static_cast<uint8_t>(v >> 8);
    out[at + 1] = static_cast<uint8_t>(v);
}

}  // namespace velk::test
