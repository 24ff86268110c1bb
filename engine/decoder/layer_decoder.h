// The per-layer frame routines that the decoder's dispatch installs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "decoder/frame_header.h"
#include "velk.h"

namespace velk {

class Synthesis;

// What a layer's set-up needs to know about the stream that decodeInit starts.
struct StreamSetup {
    FrameHeader first;      // header of the first frame
    DecodeOptions options;  // reduction, convert, freqLimit in force
    int streamRate;         // the first header's sample rate, unreduced
    int outputChannels;     // 1 or 2
    int outputSize;         // PCM bytes per frame
    bool eightBit;
};

class LayerDecoder {
  public:
    virtual ~LayerDecoder() = default;
    // Full set-up at decodeInit: tables for the stream, band limits, buffers cleared.
    virtual void setup(const StreamSetup& setup) = 0;
    // Decodes one whole frame (`length` bytes from the header on) into `out`, which has room
    // for the stream's output size. Damaged data gives silence or partial output, never a
    // read outside [frame, frame + length).
    virtual void decodeFrame(const FrameHeader& header, const uint8_t* frame, size_t length,
                             uint8_t* out) = 0;
    // Called by selectFrameDecoder after a seek; Layer III empties its bit reservoir.
    virtual void restart() {}
};

std::unique_ptr<LayerDecoder> makeLayer3Decoder(Synthesis& synthesis);
std::unique_ptr<LayerDecoder> makeLayer12Decoder(Synthesis& synthesis);

}  // namespace velk
