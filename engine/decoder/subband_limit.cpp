#include "decoder/subband_limit.h"

#include <algorithm>
#include <cstdint>

namespace velk {

int subbandLimitFor(int streamRate, int freqLimit, int reduction) {
    if (streamRate <= 0) return 0;
    const int64_t limit =
        (int64_t{streamRate} / 2 + int64_t{std::max(freqLimit, 0)} * 64) / streamRate;
    // Every subband the synthesis reads is kept: streams carry real signal up to subband 31.
    const int cap = 32 >> std::clamp(reduction, 0, 2);
    return static_cast<int>(std::min<int64_t>(limit, cap));
}

}  // namespace velk
