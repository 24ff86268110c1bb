#include "decoder/layer3_limits.h"

#include "decoder/subband_limit.h"

namespace velk {

Layer3Limits layer3Limits(uint32_t version, int streamRate, int reduction, int freqLimit) {
    const int subbands = subbandLimitFor(streamRate, freqLimit, reduction);
    Layer3Limits l{};
    l.lineLimit = subbands * 18;
    l.hybridSubbands = subbands;
    l.mixedLongBands = version == 1 ? 8 : 6;
    return l;
}

}  // namespace velk
