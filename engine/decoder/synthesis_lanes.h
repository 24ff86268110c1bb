// Four floats processed as one value, so that the filterbank's inner sums stay in vector
// registers (the compiler's own vectorisation keeps such accumulators in memory).
#pragma once

#include <cstring>
#include <utility>

namespace velk {

using Lanes = float __attribute__((vector_size(16)));
constexpr int kLaneCount = 4;

inline Lanes loadLanes(const float* p) {
    Lanes value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

inline void storeLanes(float* p, Lanes value) {
    std::memcpy(p, &value, sizeof value);
}

// Calls f(0) .. f(Count - 1) written out, so that arrays indexed by the argument can live in
// registers.
template <int Count, class F>
inline void unrolled(F&& f) {
    [&]<int... I>(std::integer_sequence<int, I...>) {
        (f(I), ...);
    }
    (std::make_integer_sequence<int, Count>{});
}

}  // namespace velk
