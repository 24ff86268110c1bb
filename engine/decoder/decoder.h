// The MPEG audio decoder: options, the stream set-up, and the dispatch of each frame to the
// routine of its layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "decoder/frame_header.h"
#include "decoder/frame_scanner.h"
#include "decoder/layer_decoder.h"
#include "decoder/stream_info.h"
#include "decoder/synthesis.h"
#include "velk.h"

namespace velk {

// One decodeFrame call: the caller gives the input and room for the output.
struct FrameDecodeRequest {
    FrameHeader header{};  // filled
    int32_t bitRate = 0;   // filled: bits/s of this frame
    const uint8_t* inputBuf = nullptr;
    int32_t inputSize = 0;         // in: bytes available; out: bytes of this frame
    uint8_t* outputBuf = nullptr;  // room for outputSize bytes
    int32_t outputSize = 0;        // out: bytes written
};

class Decoder : public FrameScanner {
  public:
    Decoder();
    ~Decoder();

    using FrameScanner::getStreamInfo;
    // With `setup` the stream's rate and output size are also taken for the frames to come.
    bool getStreamInfo(const uint8_t* buffer, size_t length, StreamInfo& info, bool setup);
    void adoptStream(const StreamInfo& info);
    bool decodeInit(const uint8_t* buffer, size_t length);
    bool decodeFrame(FrameDecodeRequest& request);
    void selectFrameDecoder(const FrameHeader& header);
    void muteFrameDecoder();

    Synthesis& synthesis() { return synthesis_; }
    int streamRate() const { return streamRate_; }
    int outputSize() const { return outputSize_; }

  private:
    LayerDecoder* routineFor(uint32_t layer);
    void decodeOrSilence(const FrameDecodeRequest& request, size_t length);

    int streamRate_ = 0;
    int outputSize_ = 0;
    uint32_t setupLayer_ = 0;
    int setupSamples_ = 0;
    bool eightBit_ = false;
    bool muted_ = false;
    Synthesis synthesis_;
    std::unique_ptr<LayerDecoder> layer3_;
    std::unique_ptr<LayerDecoder> layer12_;
    LayerDecoder* current_ = nullptr;
};

}  // namespace velk
