// libFuzzer target over the stream information of a first frame, with its Xing or VBRI header
// and seek table, and the seek offsets taken from that table. The first byte chooses the decode
// options; the rest is the frame.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decoder/decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    velk::Decoder decoder;
    decoder.setOptions(DecodeOptions{data[0] % 3, (data[0] >> 2) & 9, 24000});
    // The frame in a buffer of exactly its size, so that any read past it is caught.
    const std::vector<uint8_t> frame(data + 1, data + size);
    velk::VbrTable table;
    velk::StreamInfo info;
    info.vbrTable = &table;
    if (!decoder.getStreamInfo(frame.data(), frame.size(), info, (data[0] & 0x80) != 0)) return 0;
    for (const float percent : {0.0f, 0.5f, 33.3f, 50.0f, 99.0f, 99.99f, 100.0f, 150.0f, -1.0f}) {
        velk::Decoder::seekOffsetByPercent(info, percent);
    }
    return 0;
}
