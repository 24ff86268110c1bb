// Layer I and Layer II frames to PCM: side information into a list of the subbands that carry
// samples, the samples requantised into the interleaved block, one synthesis call per frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/bit_reader.h"
#include "decoder/layer12_tables.h"
#include "decoder/layer3_bit_cache.h"
#include "decoder/layer_decoder.h"
#include "decoder/synthesis.h"

namespace velk {

class Layer12Decoder final : public LayerDecoder {
  public:
    static constexpr int kMaxSlots = Synthesis::kBlockSlots;

    explicit Layer12Decoder(Synthesis& synthesis) : synthesis_(synthesis) {}

    void setup(const StreamSetup& setup) override;
    void decodeFrame(const FrameHeader& header, const uint8_t* frame, size_t length,
                     uint8_t* out) override;

    // Subbands decoded at most, from the frequency limit and the reduction; the layer's own
    // subband count may lower it further.
    int subbandLimit() const { return subbandLimit_; }

  private:
    // One subband of one stream channel, or past the joint-stereo bound one subband of both:
    // a value read goes to up to two subband rows of the block (its places), each with its own
    // multiplier per part.
    struct Entry {
        const int8_t* degroup;  // three values per code for a grouped class, else nullptr
        int bits;
        int center;
        int placeCount;  // 0 when the output drops this channel
        int place[2];
        float factor[2][3];
    };
    // Side information of one frame, per channel and subband.
    struct SideInfo {
        int channels;
        int bound;                       // first subband whose samples both channels share
        int subbands;                    // the layer's (or the table's) subband count
        const QuantClass* quant[2][32];  // nullptr when nothing is allocated
        int scale[2][32][3];
    };

    void readLayer1(BitReader& bits, SideInfo& side) const;
    void readLayer2(const FrameHeader& header, BitReader& bits, SideInfo& side) const;
    void buildEntries(const SideInfo& side, int samplesPerGroup);
    void addPlaces(Entry& entry, int frameChannels, int channel, int subband, const int* scale,
                   float classFactor) const;
    void readSlotValues(BitCache& bits, float* slot) const;
    void readGroupedValues(BitCache& bits, float* firstSlot, int part) const;

    Synthesis& synthesis_;
    int layer_ = 2;
    int outputChannels_ = 2;
    int keptChannel_ = -1;  // a stereo stream output as one channel: 0 left, 1 right, -1 mix
    int subbandLimit_ = 32;
    Entry entries_[64];
    int entryCount_ = 0;
    int skipBits_ = 0;  // bits of the subbands above the limit, per slot (Layer I) or group
    // Subband rows of both output channels, in the synthesis's Layer I/II form.
    alignas(64) float block_[2 * Synthesis::kSubbands * Synthesis::kBlockSlots +
                             Synthesis::kInputPadding];
};

// Joint-stereo bound in subbands for a frame's mode and mode extension.
int jointStereoBound(const FrameHeader& header);

}  // namespace velk
