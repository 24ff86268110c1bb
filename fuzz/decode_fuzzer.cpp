// libFuzzer target over the decoder as the decode thread drives it: the first bytes choose the
// decode options, the rest is an MPEG audio stream decoded frame after frame with the engine's
// resynchronisation, and now and then a seek (a set-up on the target frame and a restart).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decoder/decoder.h"

namespace {

constexpr size_t kOptionBytes = 3;

DecodeOptions optionsFrom(const uint8_t* data) {
    const int32_t convert = (data[1] & 3) | (data[1] & 8);
    const int32_t freqLimit = 1000 + (data[2] * 200);
    return DecodeOptions{data[0] % 3, convert, freqLimit};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kOptionBytes) return 0;
    const bool restarts = (data[0] & 0x80) != 0;
    velk::Decoder decoder;
    decoder.setOptions(optionsFrom(data));
    // The stream in a buffer of exactly its size, so that any read past it is caught.
    std::vector<uint8_t> stream(data + kOptionBytes, data + size);
    size_t offset = 0;
    if (!decoder.findFrameSync(stream.data(), stream.size(), offset)) return 0;
    if (!decoder.decodeInit(stream.data() + offset, stream.size() - offset)) return 0;
    std::vector<uint8_t> output(static_cast<size_t>(decoder.outputSize()));
    int frames = 0;
    while (offset < stream.size()) {
        velk::FrameDecodeRequest request;
        request.inputBuf = stream.data() + offset;
        request.inputSize = static_cast<int32_t>(stream.size() - offset);
        request.outputBuf = output.data();
        if (decoder.decodeFrame(request)) {
            offset += static_cast<size_t>(request.inputSize);
            if (restarts && ++frames % 3 == 0 && offset < stream.size()) {
                // A seek: a fresh set-up on the target frame, then the routine for its layer.
                velk::FrameHeader target;
                if (decoder.parseFrameHeader(stream.data() + offset, target) &&
                    decoder.decodeInit(stream.data() + offset, stream.size() - offset)) {
                    output.resize(static_cast<size_t>(decoder.outputSize()));
                    decoder.selectFrameDecoder(target);
                }
            }
            continue;
        }
        if (decoder.error() == velk::kDecShortInput) break;
        size_t next = 0;
        ++offset;
        if (!decoder.findFrameSync(stream.data() + offset, stream.size() - offset, next)) break;
        offset += next;
    }
    return 0;
}
