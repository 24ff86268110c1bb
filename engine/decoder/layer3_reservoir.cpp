#include "decoder/layer3_reservoir.h"

#include <algorithm>
#include <cstring>

namespace velk {

long BitReservoir::append(const uint8_t* mainData, size_t size, uint32_t mainDataBegin) {
    long start = static_cast<long>(fill_) - static_cast<long>(mainDataBegin);
    if (fill_ > kCompactAbove) {
        // Only the bytes the frame may still refer to are kept, moved to the front.
        const size_t keep = std::min<size_t>(mainDataBegin, fill_);
        std::memmove(buffer_, buffer_ + fill_ - keep, keep);
        fill_ = keep;
        start = static_cast<long>(keep) - static_cast<long>(mainDataBegin);
    }
    // A frame measured with another stream's rate can claim more than the buffer holds.
    const size_t copied = std::min(size, kCapacity - fill_);
    if (copied > 0) std::memcpy(buffer_ + fill_, mainData, copied);
    fill_ += copied;
    return start < 0 ? -1 : start;
}

}  // namespace velk
