// Huffman decoding of one granule channel's spectral values: the big-value regions and the
// count1 quadruples, with the damaged-data rules.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/bit_reader.h"
#include "decoder/layer3_side_info.h"
#include "decoder/layer3_tables.h"

namespace velk {

struct SpectrumResult {
    int nonZeroEnd;  // lines up to the last non-zero value
    bool overrun;    // the data ran past the part by more than the reader's margin
};

// Decodes from the reader's position up to bit `partEnd` into lines[0, lineLimit) and zeros
// the rest of the 576 lines. Each value comes out raised to the power 4/3, keeping its sign,
// ready for the scaling of requantize().
SpectrumResult decodeSpectrum(BitReader& reader, size_t partEnd, const GranuleChannelInfo& info,
                              const BandTable& bands, int lineLimit, float* lines);

}  // namespace velk
