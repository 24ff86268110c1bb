#include "decoder/synthesis_dct.h"

#include <cmath>

#include "decoder/synthesis_lanes.h"

namespace velk {
namespace {

// The odd outputs of an N-point DCT-II are an (N/2 x N/2) product with the differences
// in[k] - in[N-1-k]; row k of a matrix holds cos((2k + 1)(2m + 1) pi / (2N)) for each output m.
// The 8-point transform is one full product: row k holds cos((2k + 1) m pi / 16).
struct DctMatrices {
    alignas(16) float odd32[16][16];
    alignas(16) float odd16[8][8];
    alignas(16) float full8[8][8];
    DctMatrices() {
        for (int k = 0; k < 16; ++k) {
            for (int m = 0; m < 16; ++m)
                odd32[k][m] = std::cos((2 * k + 1) * (2 * m + 1) * M_PI / 64);
        }
        for (int k = 0; k < 8; ++k) {
            for (int m = 0; m < 8; ++m) {
                odd16[k][m] = std::cos((2 * k + 1) * (2 * m + 1) * M_PI / 32);
                full8[k][m] = std::cos((2 * k + 1) * m * M_PI / 16);
            }
        }
    }
};

const DctMatrices& matrices() {
    static const DctMatrices tables;
    return tables;
}

// out[m] = sum over k < Rows of x[k] * matrix[k][m], for Columns outputs.
template <int Rows, int Columns>
inline void multiply(const float* x, const float (*matrix)[Columns], float* out) {
    constexpr int kVectors = Columns / kLaneCount;
    Lanes sums[kVectors] = {};
    for (int k = 0; k < Rows; ++k) {
        unrolled<kVectors>([&](int v) { sums[v] += x[k] * loadLanes(matrix[k] + v * kLaneCount); });
    }
    for (int v = 0; v < kVectors; ++v) storeLanes(out + v * kLaneCount, sums[v]);
}

// The even outputs of an N-point transform are the N/2-point transform of the folded sums.
template <int N, void (*HalfTransform)(const float*, float*)>
inline void split(const float* in, const float (*oddMatrix)[N / 2], float* out) {
    constexpr int kHalf = N / 2;
    float sums[kHalf];
    float differences[kHalf];
    for (int k = 0; k < kHalf; ++k) {
        sums[k] = in[k] + in[N - 1 - k];
        differences[k] = in[k] - in[N - 1 - k];
    }
    float even[kHalf];
    float odd[kHalf];
    HalfTransform(sums, even);
    multiply<kHalf, kHalf>(differences, oddMatrix, odd);
    for (int m = 0; m < kHalf; ++m) {
        out[2 * m] = even[m];
        out[2 * m + 1] = odd[m];
    }
}

}  // namespace

void dct8(const float* in, float* out) {
    multiply<8, 8>(in, matrices().full8, out);
}
void dct16(const float* in, float* out) {
    split<16, dct8>(in, matrices().odd16, out);
}
void dct32(const float* in, float* out) {
    split<32, dct16>(in, matrices().odd32, out);
}

}  // namespace velk
