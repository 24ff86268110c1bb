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
    // Slots of a Layer I/II block's subband rows.
    static constexpr int kBlockSlots = 36;
    // Floats past the end of an input that are read (their values do not matter).
    static constexpr int kInputPadding = 8;

    Synthesis();

    // Chooses the output routine: 1 or 2 interleaved output channels, reduction 0..2,
    // 16-bit signed little-endian or 8-bit unsigned samples.
    void configure(int outputChannels, int reduction, bool eightBit);
    // Clears both channels' history.
    void reset();

    // Inputs are subband-major: the samples of subband k lie in slot order in a row of their
    // own, followed by the next subband's row.
    //
    // Layer III form: `subbands` holds 32 rows of 18 slots for one channel. `out` is the
    // granule's first output sample frame; writes 18 * (32 >> reduction) samples of `channel`
    // there, interleaved with the other channel when the output has two.
    void synthesizeGranule(const float* subbands, int channel, uint8_t* out);
    // Both channels of a two-channel output at once, `left` and `right` in the form above.
    void synthesizeGranule(const float* left, const float* right, uint8_t* out);
    // Layer I/II form: `block` holds 32 rows of kBlockSlots slots per channel, the second
    // channel's rows after the first's (read when the output has two channels). Synthesises
    // the first `slotCount` slots and writes every output channel of them.
    void synthesizeSlots(const float* block, int slotCount, uint8_t* out);

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
    // Each output sample weighs matrixed values (32 >> reduction per slot, and one more) of the
    // last 16 slots. They lie in order of age from newest_ on; a new slot goes in front of the
    // newest, and only when the front is reached do the slots still needed move back to the end.
    static constexpr int kSynthesisSlots = 16;
    static constexpr int kHistorySlots = 3 * kSynthesisSlots;
    static constexpr int kHistoryFloats = kHistorySlots * 32;

    struct BlockInput {
        const float* channels[2];  // per channel synthesised: its subband rows
        int subbandStride;         // floats from one subband's row to the next
        int firstChannel;          // output channel of the first channel synthesised
        int channelCount;          // channels synthesised, 1 or 2
    };

    using BlockRoutine = void (Synthesis::*)(const BlockInput& input, int slotCount, uint8_t* out);
    template <class Lanes, int Channels, int Reduction, bool EightBit>
    void synthesizeBlock(const BlockInput& input, int slotCount, uint8_t* out);
    template <class Lanes, int Reduction>
    void pushHistory(int channel, Lanes* values, int rows);
    template <class Lanes, int Reduction, int Count>
    void windowSlot(int firstChannel, int age, int (*pcm)[32]);
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
    struct WindowRows {
        const float* low;
        const float* high;
        const float* middle;
    };
    WindowRows windows_[3];
    const struct DctFactors* dct_;
    bool equalizerOn_ = false;
    float gains_[kEqualizerSubbands];
    alignas(64) float history_[2][kHistoryFloats];
    float middles_[2][kHistorySlots];
    int newest_[2] = {0, 0};
};

}  // namespace velk
