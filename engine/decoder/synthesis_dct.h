// Fast DCT-II transforms of the synthesis filterbank's matrixing step:
// out[m] = sum over k of in[k] * cos((2k + 1) * m * pi / (2 * N)), for N = 32, 16 and 8.
// An N-point transform splits into the N/2-point transform of the folded sums in[k] + in[N-1-k]
// (the even outputs) and a product of the differences in[k] - in[N-1-k] with an (N/2 x N/2)
// matrix (the odd outputs); the 8-point transform is one full product.
#pragma once

#include "decoder/synthesis_lanes.h"

namespace velk {

struct DctMatrices {
    // Row k: cos((2k + 1)(2m + 1) pi / 64), cos((2k + 1)(2m + 1) pi / 32), cos((2k + 1) m pi / 16).
    alignas(32) float odd32[16][16];
    alignas(32) float odd16[8][8];
    alignas(32) float full8[8][8];
};

// Built on first use; valid for the whole run.
const DctMatrices& dctMatrices();

// out[m] = sum over k < Rows of x[k] * matrix[k][m], for Columns outputs.
template <class L, int Rows, int Columns>
[[gnu::always_inline]] inline void multiply(const float* x, const float (*matrix)[Columns],
                                            float* out) {
    constexpr int kVectors = Columns / kLanesOf<L>;
    // Even and odd rows sum apart: two short dependency chains instead of one long one.
    L sums[2][kVectors] = {};
    for (int k = 0; k < Rows; k += 2) {
        unrolled<kVectors>([&](int v) {
            addScaled(sums[0][v], x[k], matrix[k] + v * kLanesOf<L>);
            addScaled(sums[1][v], x[k + 1], matrix[k + 1] + v * kLanesOf<L>);
        });
    }
    for (int v = 0; v < kVectors; ++v) {
        const L total = sums[0][v] + sums[1][v];
        storeLanes(out + v * kLanesOf<L>, total);
    }
}

template <class L, int N>
[[gnu::always_inline]] inline void dct(const DctMatrices& m, const float* in, float* out) {
    if constexpr (N == 8) {
        multiply<L, 8, 8>(in, m.full8, out);
    } else {
        constexpr int kHalf = N / 2;
        float sums[kHalf];
        float differences[kHalf];
        for (int k = 0; k < kHalf; ++k) {
            sums[k] = in[k] + in[N - 1 - k];
            differences[k] = in[k] - in[N - 1 - k];
        }
        float even[kHalf];
        float odd[kHalf];
        dct<L, kHalf>(m, sums, even);
        if constexpr (N == 32) {
            multiply<L, kHalf, kHalf>(differences, m.odd32, odd);
        } else {
            multiply<L, kHalf, kHalf>(differences, m.odd16, odd);
        }
        for (int k = 0; k < kHalf; ++k) {
            out[2 * k] = even[k];
            out[2 * k + 1] = odd[k];
        }
    }
}

}  // namespace velk
