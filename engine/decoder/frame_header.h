// MPEG audio frame headers: fields, validation, the bit-rate and sample-rate tables.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velk {

// Decoder error codes (separate from the engine's).
enum DecoderError : int {
    kDecOk = 0,
    kDecNoHeader = 3,    // first byte not FF, or second byte's top nibble neither F nor E
    kDecBadField = 4,    // layer 00, bit-rate index 0 or 15, sample-rate index 3, bad Xing flags
    kDecShortInput = 5,  // input too short, no sync in the buffer, allocation failed
};

enum ChannelMode : uint32_t { kStereo = 0, kJointStereo = 1, kDualChannel = 2, kSingleChannel = 3 };

struct FrameHeader {
    uint32_t version;          // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5
    uint32_t layer;            // 1, 2, 3
    uint32_t errorProtection;  // 1 when a CRC follows the header
    uint32_t bitrateIndex;
    uint32_t samplingFrequencyIndex;
    uint32_t padding;
    uint32_t extension;
    uint32_t mode;
    uint32_t modeExtension;
    uint32_t rightsFlag;
    uint32_t homeFlag;
    uint32_t emphasis;
};

// Returns kDecOk, kDecNoHeader or kDecBadField; `out` is filled only on success.
int parseFrameHeader(const uint8_t* bytes, FrameHeader& out);

// kbit/s for the header's version, layer and index (0 for index 0 and 15).
int bitrateKbps(uint32_t version, uint32_t layer, uint32_t bitrateIndex);
inline int bitrateKbps(const FrameHeader& h) {
    return bitrateKbps(h.version, h.layer, h.bitrateIndex);
}
// Hz for the version and sample-rate index.
int sampleRateHz(uint32_t version, uint32_t samplingFrequencyIndex);
inline int sampleRateHz(const FrameHeader& h) {
    return sampleRateHz(h.version, h.samplingFrequencyIndex);
}
// PCM samples per channel in one frame: 384, 1152, or 576 for Layer III below MPEG-1.
int samplesPerFrame(const FrameHeader& h);
// Side-information bytes of a Layer III frame for its version and channel count.
int layer3SideInfoBytes(uint32_t version, int channels);
// Frame length in bytes at bit rate `bitsPerSecond` and sample rate `rate`.
int frameLength(const FrameHeader& h, int bitsPerSecond, int rate);
// Bytes one padding slot adds to a frame: 4 in Layer I, 1 otherwise.
int paddingSlotBytes(const FrameHeader& h);
// Milliseconds per frame by layer and sample-rate index (the VBRI seek table's unit).
double frameMilliseconds(uint32_t layer, uint32_t samplingFrequencyIndex);
// The same durations rounded as velk_getFramePlayTime has always reported them.
double reportedFrameMilliseconds(uint32_t layer, uint32_t samplingFrequencyIndex);
// floor(F) / F with F one 1152-sample frame in ms at `sampleRate`: the scale of players that
// count whole milliseconds per frame. 1.0 for a rate of 0 or below.
double wholeMsFrameScale(int32_t sampleRate);

// Decoded PCM bytes and samples per channel, for `bitsPerSample` and `channels` of the output.
inline int64_t pcmBytesToSamples(int64_t bytes, int bitsPerSample, int channels) {
    if (bitsPerSample == 0 || channels == 0) return 0;
    return bytes / bitsPerSample / channels * 8;
}
inline int64_t pcmSamplesToBytes(int64_t samples, int bitsPerSample, int channels) {
    return samples / 8 * channels * bitsPerSample;
}

// True when a sync (FF, then a byte whose top nibble is F or E) starts at `p`.
inline bool isFrameSync(const uint8_t* p) {
    return p[0] == 0xFF && (p[1] & 0xE0) == 0xE0;
}

}  // namespace velk
