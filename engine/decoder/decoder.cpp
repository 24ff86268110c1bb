#include "decoder/decoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velk {
Decoder::Decoder()
    : layer3_(makeLayer3Decoder(synthesis_)), layer12_(makeLayer12Decoder(synthesis_)) {}

Decoder::~Decoder() = default;

bool Decoder::getStreamInfo(const uint8_t* buffer, size_t length, StreamInfo& info, bool setup) {
    if (!FrameScanner::getStreamInfo(buffer, length, info)) return false;
    if (setup) adoptStream(info);
    return true;
}

void Decoder::adoptStream(const StreamInfo& info) {
    streamRate_ = sampleRateHz(info.header);
    outputSize_ = info.outputSize;
}

LayerDecoder* Decoder::routineFor(uint32_t layer) {
    return layer == 3 ? layer3_.get() : layer12_.get();
}

bool Decoder::decodeInit(const uint8_t* buffer, size_t length) {
    StreamInfo info;
    if (!getStreamInfo(buffer, length, info, true)) return false;
    const bool eightBit = (options_.convert & 8) != 0;
    synthesis_.configure(info.channels, options_.reduction, eightBit);
    synthesis_.reset();
    current_ = routineFor(info.header.layer);
    setupLayer_ = info.header.layer;
    setupSamples_ = samplesPerFrame(info.header);
    eightBit_ = eightBit;
    current_->setup(
        StreamSetup{info.header, options_, streamRate_, info.channels, info.outputSize, eightBit});
    muted_ = false;
    return true;
}

void Decoder::decodeOrSilence(const FrameDecodeRequest& request, size_t length) {
    // The output holds one frame of the stream the set-up saw; a frame of another layer or
    // standard would not fit its samples, so it plays as silence.
    if (request.header.layer != setupLayer_ || samplesPerFrame(request.header) != setupSamples_) {
        std::memset(request.outputBuf, eightBit_ ? 0x80 : 0, static_cast<size_t>(outputSize_));
        return;
    }
    current_->decodeFrame(request.header, request.inputBuf, length, request.outputBuf);
}

bool Decoder::decodeFrame(FrameDecodeRequest& request) {
    if (request.inputSize < 5 || !request.inputBuf) {
        error_ = kDecShortInput;
        return false;
    }
    if (!parseFrameHeader(request.inputBuf, request.header)) return false;
    request.bitRate = bitrateKbps(request.header) * 1000;
    const int length = frameLength(request.header, request.bitRate, streamRate_);
    if (!current_ || length <= 0 || request.inputSize < length) {
        error_ = kDecShortInput;
        return false;
    }
    if (!muted_) decodeOrSilence(request, static_cast<size_t>(length));
    request.inputSize = length;
    request.outputSize = outputSize_;
    return true;
}

void Decoder::selectFrameDecoder(const FrameHeader& header) {
    // Only the routine that decodeInit set up knows the stream's output size; a header of
    // another layer must not install one that was never set up.
    if (current_ && routineFor(header.layer) == current_) current_->restart();
    muted_ = false;
}

void Decoder::muteFrameDecoder() {
    muted_ = true;
}

}  // namespace velk
