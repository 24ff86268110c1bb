// Constant tables of Layer III decoding, computed once at first use: scale-factor bands,
// requantisation factors, stereo ratios, alias butterflies and IMDCT windows.
#pragma once

#include <cstdint>

namespace velk {

struct BandTable {
    int16_t longBounds[23];   // line boundaries of the 22 long bands
    int16_t shortBounds[14];  // line boundaries (within one window) of the 13 short bands
};

// Row for version (1..3) and sample-rate index (0..2).
const BandTable& bandTable(uint32_t version, uint32_t samplingFrequencyIndex);

struct IntensityRatio {
    float left;
    float right;
};

constexpr int kMaxHuffmanMagnitude = 15 + 8191;

struct Layer3Tables {
    float gain[262];              // 2^((i - 156) / 4), looked up at global_gain + 6
    float scaleFactor[2][4][32];  // [scalefac_scale][pretab][sf]
    // |x|^(4/3) for every magnitude a Huffman value can have (15 plus 13 linbits)
    float power[kMaxHuffmanMagnitude + 1];
    float subblockGain[8];           // 2^(-2g)
    IntensityRatio intensity[2][8];  // MPEG-1: [mid/side][position]
    // Lower rates: [intensity_scale][mid/side][scale-factor width 0..5][position]; the last
    // position of each width (every position of width 0) is the illegal one.
    IntensityRatio intensityLsf[2][2][6][32];
    float aliasCs[8];
    float aliasCa[8];
    float window[4][36];  // block types 0, 1, 2 (short, first 12), 3
};

const Layer3Tables& layer3Tables();

// Pre-emphasis added to long-band scale factors when preflag is set.
extern const uint8_t kPretab[22];

}  // namespace velk
