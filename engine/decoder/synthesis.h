// The polyphase synthesis filterbank: subband samples to 16- or 8-bit PCM at full, half or
// quarter rate, with the ten-band equalizer applied to the subband samples at full rate.
#pragma once

#include <cstdint>

namespace velk {

class Synthesis {
public:
    Synthesis();

    // Chooses the output routine: 1 or 2 interleaved output channels, reduction 0..2,
    // 16-bit signed little-endian or 8-bit unsigned samples.
    void configure(int outputChannels, int reduction, bool eightBit);
    // Clears both channels' history rings.
    void reset();

    // Layer III form: `subbands` holds 18 slots of 32 subband samples (slot-major) for one
    // channel. Writes 18 * (32 >> reduction) samples of `channel` at `out`, interleaved with
    // the other channel when the output has two.
    void synthesizeGranule(const float* subbands, int channel, uint8_t* out);
    // Layer I/II form: `slots` holds `slotCount` slots of 64 floats, subband-major with the
    // two channels side by side (index subband * 2 + channel). Writes every output channel.
    void synthesizeSlots(const float* slots, int slotCount, uint8_t* out);

    // Equalizer: ten values in tenths of a decibel, or nullptr to switch it off.
    void setEqualizer(const int32_t* table);
    bool equalizerOn() const { return equalizerOn_; }
    const float* equalizerGains() const { return gains_; }

    int outputChannels() const { return channels_; }
    int reduction() const { return reduction_; }
    bool eightBit() const { return eightBit_; }

private:
    int channels_ = 2;
    int reduction_ = 0;
    bool eightBit_ = false;
    bool equalizerOn_ = false;
    float gains_[32];
    alignas(64) float ring_[2][512];
    int ringIndex_[2] = {0, 0};
};

}  // namespace velk
