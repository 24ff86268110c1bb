// Floats processed four at a time (any x86-64 or ARM processor) or eight at a time (AVX2), so
// that the filterbank's inner sums stay in vector registers; the compiler's own vectorisation
// keeps such accumulators in memory.
#pragma once

#include <cstring>
#include <utility>

namespace velk {

using NarrowLanes = float __attribute__((vector_size(16)));
using WideLanes = float __attribute__((vector_size(32)));

template <class L>
constexpr int kLanesOf = sizeof(L) / sizeof(float);

// The 32-bit integer vector of the same width.
template <class L>
struct IntLanes;
template <>
struct IntLanes<NarrowLanes> {
    using Type = int __attribute__((vector_size(16)));
};
template <>
struct IntLanes<WideLanes> {
    using Type = int __attribute__((vector_size(32)));
};

// Vectors travel by reference only: a wide vector passed by value would change the calling
// convention of code built without AVX. Everything here is inlined into its caller, so it takes
// on the caller's instruction set.
template <class L>
[[gnu::always_inline]] inline void addProduct(L& sum, const float* a, const float* b) {
    L x, y;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    sum += x * y;
}

template <class L>
[[gnu::always_inline]] inline void addScaled(L& sum, float factor, const float* a) {
    L x;
    std::memcpy(&x, a, sizeof x);
    sum += factor * x;
}

template <class L>
[[gnu::always_inline]] inline void storeLanes(float* p, const L& value) {
    std::memcpy(p, &value, sizeof value);
}

// Calls f(0) .. f(Count - 1) written out, so that arrays indexed by the argument can live in
// registers.
template <int Count, class F>
[[gnu::always_inline]] inline void unrolled(F&& f) {
    [&]<int... I>(std::integer_sequence<int, I...>) {
        (f(I), ...);
    }
    (std::make_integer_sequence<int, Count>{});
}

}  // namespace velk
