#include "decoder/layer3_limits.h"

#include <algorithm>

namespace velk {

Layer3Limits layer3Limits(uint32_t version, const BandTable& bands, int streamRate, int reduction,
                          int freqLimit) {
    const int rate = std::max(streamRate, 1);
    const int r = std::clamp(reduction, 0, 2);
    int top = 32 >> r;
    if (top > 8) --top;  // the top subband is never decoded at full or half rate
    const long long wanted =
        (rate / 2 + static_cast<long long>(std::max(freqLimit, 0)) * 64) / rate;
    const int subbands = static_cast<int>(std::min<long long>(wanted, top));

    const bool mpeg1 = version == 1;
    const int longEdge = mpeg1 ? 576 : bands.longBounds[21];
    const int shortEdge = mpeg1 ? bands.shortBounds[12] : bands.shortBounds[11];
    Layer3Limits l{};
    l.lineLimit = std::min(longEdge + 8, subbands * 18);
    l.longLimit = std::min(longEdge, l.lineLimit);
    l.shortLimit = std::min(shortEdge * 3, l.lineLimit);
    l.hybridSubbands = (l.lineLimit + 17) / 18;
    l.mixedLongBands = mpeg1 ? 8 : 6;
    return l;
}

}  // namespace velk
