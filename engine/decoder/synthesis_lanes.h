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
[[gnu::always_inline]] inline void loadLanes(L& value, const float* p) {
    std::memcpy(&value, p, sizeof value);
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

// The lanes in reverse order.
[[gnu::always_inline]] inline void reverseLanes(NarrowLanes& v) {
    v = __builtin_shufflevector(v, v, 3, 2, 1, 0);
}
[[gnu::always_inline]] inline void reverseLanes(WideLanes& v) {
    v = __builtin_shufflevector(v, v, 7, 6, 5, 4, 3, 2, 1, 0);
}

// Lane 0 of `first`, then the lanes of `rest` from the last down to lane 1.
[[gnu::always_inline]] inline void followedBackwards(NarrowLanes& out, const NarrowLanes& first,
                                                     const NarrowLanes& rest) {
    out = __builtin_shufflevector(rest, first, 4, 3, 2, 1);
}
[[gnu::always_inline]] inline void followedBackwards(WideLanes& out, const WideLanes& first,
                                                     const WideLanes& rest) {
    out = __builtin_shufflevector(rest, first, 8, 7, 6, 5, 4, 3, 2, 1);
}

// A square of lanes x lanes floats turned about its diagonal: lane j of v[i] trades places with
// lane i of v[j]. All in registers: a square that went through memory in halves would stall
// on the store forwarding.
[[gnu::always_inline]] inline void transposeSquare(NarrowLanes* v) {
    const NarrowLanes low01 = __builtin_shufflevector(v[0], v[1], 0, 4, 1, 5);
    const NarrowLanes high01 = __builtin_shufflevector(v[0], v[1], 2, 6, 3, 7);
    const NarrowLanes low23 = __builtin_shufflevector(v[2], v[3], 0, 4, 1, 5);
    const NarrowLanes high23 = __builtin_shufflevector(v[2], v[3], 2, 6, 3, 7);
    v[0] = __builtin_shufflevector(low01, low23, 0, 1, 4, 5);
    v[1] = __builtin_shufflevector(low01, low23, 2, 3, 6, 7);
    v[2] = __builtin_shufflevector(high01, high23, 0, 1, 4, 5);
    v[3] = __builtin_shufflevector(high01, high23, 2, 3, 6, 7);
}
[[gnu::always_inline]] inline void transposeSquare(WideLanes* v) {
    // Pairs of rows interleaved, then quads of rows, each within its 128-bit halves; then the
    // halves of row r and row r + 4 trade places.
    WideLanes pairs[8];
    for (int r = 0; r < 8; r += 2) {
        pairs[r] = __builtin_shufflevector(v[r], v[r + 1], 0, 8, 1, 9, 4, 12, 5, 13);
        pairs[r + 1] = __builtin_shufflevector(v[r], v[r + 1], 2, 10, 3, 11, 6, 14, 7, 15);
    }
    WideLanes quads[8];
    for (int q = 0; q < 8; q += 4) {
        quads[q] = __builtin_shufflevector(pairs[q], pairs[q + 2], 0, 1, 8, 9, 4, 5, 12, 13);
        quads[q + 1] = __builtin_shufflevector(pairs[q], pairs[q + 2], 2, 3, 10, 11, 6, 7, 14, 15);
        quads[q + 2] =
            __builtin_shufflevector(pairs[q + 1], pairs[q + 3], 0, 1, 8, 9, 4, 5, 12, 13);
        quads[q + 3] =
            __builtin_shufflevector(pairs[q + 1], pairs[q + 3], 2, 3, 10, 11, 6, 7, 14, 15);
    }
    for (int c = 0; c < 4; ++c) {
        v[c] = __builtin_shufflevector(quads[c], quads[c + 4], 0, 1, 2, 3, 8, 9, 10, 11);
        v[c + 4] = __builtin_shufflevector(quads[c], quads[c + 4], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

}  // namespace velk
