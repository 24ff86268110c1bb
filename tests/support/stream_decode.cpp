#include "support/stream_decode.h"

#include <algorithm>
#include <cmath>

#include "decoder/decoder.h"

namespace velk::test {

DecodedStream decodeStream(const std::vector<uint8_t>& stream, const DecodeOptions& options,
                           const int32_t* equalizer) {
    DecodedStream result;
    Decoder decoder;
    decoder.setOptions(options);
    size_t offset = 0;
    if (!decoder.findFrameSync(stream.data(), stream.size(), offset)) return result;
    StreamInfo info;
    if (!decoder.getStreamInfo(stream.data() + offset, stream.size() - offset, info, true) ||
        !decoder.decodeInit(stream.data() + offset, stream.size() - offset)) {
        return result;
    }
    decoder.synthesis().setEqualizer(equalizer);
    result.initialised = true;
    result.channels = info.channels;
    result.bitsPerSample = info.bitsPerSample;
    result.frequency = info.frequency;
    std::vector<uint8_t> frame(static_cast<size_t>(info.outputSize));
    while (offset + 4 <= stream.size()) {
        FrameDecodeRequest request;
        request.inputBuf = stream.data() + offset;
        request.inputSize = static_cast<int32_t>(std::min<size_t>(stream.size() - offset, 1 << 20));
        request.outputBuf = frame.data();
        if (decoder.decodeFrame(request)) {
            result.pcm.insert(result.pcm.end(), frame.begin(), frame.begin() + request.outputSize);
            offset += static_cast<size_t>(request.inputSize);
            ++result.frames;
            continue;
        }
        if (decoder.error() == kDecShortInput) break;
        size_t next = 0;
        ++offset;
        if (!decoder.findFrameSync(stream.data() + offset, stream.size() - offset, next)) break;
        offset += next;
    }
    return result;
}

std::vector<int16_t> samples16(const std::vector<uint8_t>& pcm) {
    std::vector<int16_t> out(pcm.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<int16_t>(pcm[2 * i] | (pcm[2 * i + 1] << 8));
    }
    return out;
}

Difference compareSamples(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    Difference d;
    d.compared = std::min(a.size(), b.size());
    double sum = 0;
    for (size_t i = 0; i < d.compared; ++i) {
        const int e = std::abs(int{a[i]} - int{b[i]});
        d.largest = std::max(d.largest, e);
        sum += double(e) * e;
    }
    d.rms = d.compared ? std::sqrt(sum / static_cast<double>(d.compared)) : 0.0;
    return d;
}

}  // namespace velk::test
