#include "decoder/synthesis_dct.h"

namespace velk {
namespace {

// 0.5 / cos((2k + 1) * pi / (2 * N)) for k < N / 2: the odd-half factors of each split.
template <int N>
struct SplitFactors;
template <>
struct SplitFactors<32> {
    static constexpr float values[16] = {0.500602998f, 0.505470960f, 0.515447310f, 0.531042591f,
                                         0.553103896f, 0.582934968f, 0.622504123f, 0.674808341f,
                                         0.744536271f, 0.839349645f, 0.972568238f, 1.169439933f,
                                         1.484164616f, 2.057781010f, 3.407608418f, 10.190008124f};
};
template <>
struct SplitFactors<16> {
    static constexpr float values[8] = {0.502419286f, 0.522498615f, 0.566944035f, 0.646821783f,
                                        0.788154623f, 1.060677686f, 1.722447098f, 5.101148619f};
};
template <>
struct SplitFactors<8> {
    static constexpr float values[4] = {0.509795579f, 0.601344887f, 0.899976223f, 2.562915448f};
};
template <>
struct SplitFactors<4> {
    static constexpr float values[2] = {0.541196100f, 1.306562965f};
};
template <>
struct SplitFactors<2> {
    static constexpr float values[1] = {0.707106781f};
};

// Lee's recursive split: the even outputs are the half-size transform of the folded sums, the
// odd outputs are neighbouring pairs of the half-size transform of the scaled differences.
template <int N>
inline void dct(const float* in, float* out) {
    if constexpr (N == 1) {
        out[0] = in[0];
    } else {
        constexpr int kHalf = N / 2;
        float sums[kHalf];
        float differences[kHalf];
        for (int k = 0; k < kHalf; ++k) {
            const float a = in[k];
            const float b = in[N - 1 - k];
            sums[k] = a + b;
            differences[k] = (a - b) * SplitFactors<N>::values[k];
        }
        float even[kHalf];
        float odd[kHalf];
        dct<kHalf>(sums, even);
        dct<kHalf>(differences, odd);
        for (int m = 0; m < kHalf - 1; ++m) {
            out[2 * m] = even[m];
            out[2 * m + 1] = odd[m] + odd[m + 1];
        }
        out[N - 2] = even[kHalf - 1];
        out[N - 1] = odd[kHalf - 1];
    }
}

}  // namespace

void dct32(const float* in, float* out) {
    dct<32>(in, out);
}
void dct16(const float* in, float* out) {
    dct<16>(in, out);
}
void dct8(const float* in, float* out) {
    dct<8>(in, out);
}

}  // namespace velk
