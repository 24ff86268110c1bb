// The polyphase synthesis filterbank: subband samples to 16- or 8-bit PCM at full, half or
// quarter rate, with the ten-band equalizer applied to the subband samples at full rate.
#pragma once

#include <cstdint>

#include "decoder/equalizer.h"

namespace velk {

class Synthesis {
  public:
    static constexpr int kSubbands = 32;
    static constexpr int kGranuleSlots = 18;
    // Floats per time slot in the Layer I/II form: 32 subbands x 2 channels.
    static constexpr int kSlotFloats = 64;

    Synthesis();

    // Chooses the output routine: 1 or 2 interleaved output channels, reduction 0..2,
    // 16-bit signed little-endian or 8-bit unsigned samples.
    void configure(int outputChannels, int reduction, bool eightBit);
    // Clears both channels' history.
    void reset();

    // Layer III form: `subbands` holds 18 slots of 32 subband samples (slot-major) for one
    // channel. `out` is the granule's first output sample frame; writes 18 * (32 >> reduction)
    // samples of `channel` there, interleaved with the other channel when the output has two.
    void synthesizeGranule(const float* subbands, int channel, uint8_t* out);
    // Both channels of a two-channel output at once, `left` and `right` in the form above.
    void synthesizeGranule(const float* left, const float* right, uint8_t* out);
    // Layer I/II form: `slots` holds `slotCount` slots of 64 floats, subband-major with the
    // two channels side by side (index subband * 2 + channel); with one output channel only the
    // first 32 floats of a slot are read. Writes every output channel of those slots.
    void synthesizeSlots(const float* slots, int slotCount, uint8_t* out);

    // Equalizer: ten values in tenths of a decibel, or nullptr to switch it off.
    void setEqualizer(const int32_t* table);
    bool equalizerOn() const { return equalizerOn_; }
    const float* equalizerGains() const { return gains_; }

    int outputChannels() const { return channels_; }
    int reduction() const { return reduction_; }
    bool eightBit() const { return eightBit_; }
    // Output bytes of one time slot, all channels.
    int slotBytes() const { return slotBytes_; }
    // Whether the routines may use AVX2 where the processor has it (the default); both kinds
    // give the same samples. Takes effect at the next configure().
    void allowWideLanes(bool allowed) { wideAllowed_ = allowed; }

  private:
    // Each output sample weighs the matrixed values (64 >> reduction per slot) of the last 16
    // slots. They lie in order of age from newest_ on, in a buffer of twice that length: a
    // new slot goes in front of the newest, and only when the front is reached do the last
    // slots move back to the end.
    static constexpr int kSynthesisSlots = 16;
    static constexpr int kHistorySlots = 2 * kSynthesisSlots;
    static constexpr int kHistoryFloats = kHistorySlots * 64;

    // Where a call's subband samples are: slot-major rows, one per time slot.
    struct BlockInput {
        const float* rows[2];  // per channel synthesised: its first slot
        int rowStride;         // floats from one slot to the next
        bool sideBySide;       // both channels in rows[0], subband k of channel c at 2k + c
        int firstChannel;      // output channel of the first channel synthesised
        int channelCount;      // channels synthesised, 1 or 2
    };

    using BlockRoutine = void (Synthesis::*)(const BlockInput& input, int slotCount, uint8_t* out);
    template <class Lanes, int Channels, int Reduction, bool EightBit>
    void synthesizeBlock(const BlockInput& input, int slotCount, uint8_t* out);
    template <class Lanes, int Reduction, int Count>
    void windowSlot(int firstChannel, const float* const* matrixed, int (*pcm)[32]);
    template <int Channels, int Reduction, bool EightBit>
    void synthesizeBlockNarrow(const BlockInput& input, int slotCount, uint8_t* out);
    template <int Channels, int Reduction, bool EightBit>
    void synthesizeBlockWide(const BlockInput& input, int slotCount, uint8_t* out);
    BlockRoutine routineFor(int channels, int reduction, bool eightBit) const;

    int channels_ = 2;
    int reduction_ = 0;
    bool eightBit_ = false;
    int slotBytes_ = 128;
    BlockRoutine routine_;
    bool wideAllowed_ = true;
    const float* windows_[3];
    const struct DctFactors* dct_;
    bool equalizerOn_ = false;
    float gains_[kEqualizerSubbands];
    alignas(64) float history_[2][kHistoryFloats];
    int newest_[2] = {0, 0};
};

}  // namespace velk
