// The Layer III frame routine: side information, the bit reservoir, the granules of both
// channels through requantisation, stereo and the hybrid filter, and the output conversions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/layer3_limits.h"
#include "decoder/layer3_requantize.h"
#include "decoder/layer3_reservoir.h"
#include "decoder/layer3_scalefactors.h"
#include "decoder/layer3_side_info.h"
#include "decoder/layer_decoder.h"
#include "decoder/synthesis.h"

namespace velk {

class Layer3Decoder final : public LayerDecoder {
  public:
    explicit Layer3Decoder(Synthesis& synthesis) : synthesis_(synthesis) {}

    void setup(const StreamSetup& setup) override;
    void decodeFrame(const FrameHeader& header, const uint8_t* frame, size_t length,
                     uint8_t* out) override;
    void restart() override { reservoir_.reset(); }

  private:
    struct ChannelGranule {
        int nonZeroEnd;
        BandUsage usage;
    };

    void selectBands(const FrameHeader& header);
    // Decodes granule `granule` from bit `position` of the reservoir into spectral slot
    // `slot`; returns the bit position after it.
    size_t decodeGranule(const FrameHeader& header, int granule, int channels, int slot,
                         size_t position, uint8_t* out);
    void decodeChannel(const FrameHeader& header, int granule, int channel, int slot, size_t start,
                       bool intensity);
    void outputGranule(int granule, int channels, int slot, uint8_t* out);
    void outputMonoMix(int granule, int slot, uint8_t* out);
    int hybrid(int channel, int granule, int slot, float* block);
    void writeSilence(uint8_t* out) const;

    Synthesis& synthesis_;
    StreamSetup setup_{};
    int granulesPerFrame_ = 2;
    int parity_ = 0;
    uint32_t bandsKey_ = ~0u;
    const BandTable* bands_ = nullptr;
    Layer3Limits limits_{};

    BitReservoir reservoir_;
    Layer3SideInfo side_{};
    ScaleFactors scaleFactors_[2]{};
    ChannelGranule granule_[2]{};
    int previousSubbands_[2] = {0, 0};
    alignas(64) float quantized_[2][576];  // Huffman values to the power 4/3
    // Per channel two granule slots: one holds the spectrum being decoded, the other the
    // previous granule's overlap halves.
    alignas(64) float spectrum_[2][2][576];
    alignas(64) float block_[2][Synthesis::kGranuleSlots * Synthesis::kSubbands +
                                Synthesis::kInputPadding] = {};
};

}  // namespace velk
