#include "output/acm_stream.h"

#include <algorithm>
#include <array>
#include <cstdarg>

namespace velk {
namespace {

constexpr std::array<uint32_t, 9> kLayer3Rates = {48000, 44100, 32000, 24000, 22050,
                                                  16000, 12000, 11025, 8000};
constexpr uint16_t kFormatPcm = 1;
constexpr size_t kBytesPerSample = 2;
// The encoder's own worst-case bound for one call: 1.25 bytes per sample plus 7200.
constexpr size_t kEncoderSlackBytes = 7200;

size_t worstCaseBytes(size_t samples) {
    return samples + samples / 4 + kEncoderSlackBytes;
}

// The encoder reports on stderr by default; the engine keeps quiet.
void silentReport(const char*, va_list) {}

}  // namespace

Mp3EncodeStream::~Mp3EncodeStream() {
    if (encoder_) lame_.close(encoder_);
}

bool Mp3EncodeStream::hasDestinationFormat(const WaveFormat& f) {
    return f.formatTag == kFormatPcm && (f.channels == 1 || f.channels == 2) &&
           f.bitsPerSample == 16 && f.blockAlign == f.channels * kBytesPerSample &&
           std::find(kLayer3Rates.begin(), kLayer3Rates.end(), f.samplesPerSec) !=
               kLayer3Rates.end();
}

bool Mp3EncodeStream::loadLibrary() {
    return lame_.load();
}

bool Mp3EncodeStream::createEncoder() {
    if (!encoder_) encoder_ = lame_.init();
    if (!encoder_) return false;
    lame_.setErrorReport(encoder_, silentReport);
    lame_.setMessageReport(encoder_, silentReport);
    lame_.setDebugReport(encoder_, silentReport);
    return true;
}

bool Mp3EncodeStream::open(const WaveFormat& format, int bitRateKbps) {
    if (!encoder_ || !hasDestinationFormat(format)) return false;
    const int rate = static_cast<int>(format.samplesPerSec);
    channels_ = format.channels;
    lame_.setNumChannels(encoder_, channels_);
    lame_.setInSampleRate(encoder_, rate);
    // Without this the encoder may resample to a lower rate at low bit rates.
    lame_.setOutSampleRate(encoder_, rate);
    // The output is the frames as they come; a Xing frame would need rewriting at the end.
    lame_.setWriteVbrTag(encoder_, 0);
    if (bitRateKbps > 0) lame_.setBitRate(encoder_, bitRateKbps);
    return lame_.initParams(encoder_) >= 0 && lame_.getOutSampleRate(encoder_) == rate;
}

int64_t Mp3EncodeStream::convert(const uint8_t* source, size_t length,
                                 std::vector<uint8_t>& destination, size_t& produced) {
    produced = 0;
    const size_t frameBytes = static_cast<size_t>(channels_) * kBytesPerSample;
    const size_t samples = length / frameBytes;
    if (samples == 0) return 0;
    left_.resize(samples);
    right_.resize(samples);
    for (size_t i = 0; i < samples; ++i) {
        const uint8_t* p = source + i * frameBytes;
        left_[i] = static_cast<int16_t>(p[0] | (p[1] << 8));
        right_[i] = channels_ == 2 ? static_cast<int16_t>(p[2] | (p[3] << 8)) : left_[i];
    }
    destination.resize(std::max(destination.size(), worstCaseBytes(samples)));
    const int result =
        lame_.encodeBuffer(encoder_, left_.data(), right_.data(), static_cast<int>(samples),
                           destination.data(), static_cast<int>(destination.size()));
    if (result < 0) return -1;
    produced = static_cast<size_t>(result);
    return static_cast<int64_t>(samples * frameBytes);
}

bool Mp3EncodeStream::flush(std::vector<uint8_t>& destination, size_t& produced) {
    produced = 0;
    destination.resize(std::max(destination.size(), kEncoderSlackBytes));
    const int result =
        lame_.encodeFlush(encoder_, destination.data(), static_cast<int>(destination.size()));
    if (result < 0) return false;
    produced = static_cast<size_t>(result);
    return true;
}

}  // namespace velk
