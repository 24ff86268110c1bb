// Fast DCT-II transforms of the synthesis filterbank's matrixing step,
// out[m] = sum over k of in[k] * cos((2k + 1) * m * pi / (2 * N)), for N = 32, 16 and 8, over
// several time slots at once: lane s of every vector belongs to slot s. Each lane takes the same
// steps in the same order, so the result does not depend on the vector width.
//
// An N-point transform splits into two N/2-point transforms: one of the folded sums
// in[k] + in[N-1-k], which gives the even outputs, and one of the folded differences scaled by
// 1 / (2 cos((2k + 1) pi / 2N)), whose neighbouring outputs add up to the odd outputs
// (2 cos(a) cos(b) = cos(a - b) + cos(a + b) turns each odd cosine into two even ones).
#pragma once

#include "decoder/synthesis_lanes.h"

namespace velk {

struct DctFactors {
    // The scale of the folded differences: an N-point transform's N/2 factors start at
    // N/2 - 1, 1 / (2 cos((2k + 1) pi / 2N)) for k below N/2.
    float difference[31];
};

// Built on first use; valid for the whole run.
const DctFactors& dctFactors();

template <class L, int N>
[[gnu::always_inline]] inline void dct(const DctFactors& f, const L* in, L* out) {
    if constexpr (N == 1) {
        out[0] = in[0];
    } else {
        constexpr int kHalf = N / 2;
        L sums[kHalf];
        L differences[kHalf];
        unrolled<kHalf>([&](int k) {
            sums[k] = in[k] + in[N - 1 - k];
            differences[k] = (in[k] - in[N - 1 - k]) * f.difference[kHalf - 1 + k];
        });
        L even[kHalf];
        L odd[kHalf];
        dct<L, kHalf>(f, sums, even);
        dct<L, kHalf>(f, differences, odd);
        unrolled<kHalf - 1>([&](int m) {
            out[2 * m] = even[m];
            out[2 * m + 1] = odd[m] + odd[m + 1];
        });
        out[N - 2] = even[kHalf - 1];
        out[N - 1] = odd[kHalf - 1];
    }
}

}  // namespace velk
