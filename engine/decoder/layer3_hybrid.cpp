#include "decoder/layer3_hybrid.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "decoder/layer3_tables.h"

namespace velk {
namespace {

constexpr double kPi = 3.14159265358979323846;

// cos(pi / (2n) * (j + 1/2) * (k + 1/2)): the DCT-IV kernels behind both IMDCT sizes, stored
// row by input with the outputs padded to a multiple of four so that the products of one input
// with all outputs run as vector operations.
constexpr int kPad18 = 20;
constexpr int kPad6 = 8;

struct DctKernels {
    alignas(16) float k18[18][kPad18];
    alignas(16) float k6[6][kPad6];
    DctKernels() {
        for (int k = 0; k < 18; ++k) {
            for (int j = 0; j < kPad18; ++j) {
                k18[k][j] = j < 18
                                ? static_cast<float>(std::cos(kPi / 18.0 * (j + 0.5) * (k + 0.5)))
                                : 0.0f;
            }
        }
        for (int k = 0; k < 6; ++k) {
            for (int j = 0; j < kPad6; ++j) {
                k6[k][j] =
                    j < 6 ? static_cast<float>(std::cos(kPi / 6.0 * (j + 0.5) * (k + 0.5))) : 0.0f;
            }
        }
    }
};

const DctKernels& kernels() {
    static const DctKernels instance;
    return instance;
}

// Four floats as one value: GCC and Clang map the arithmetic onto SSE registers.
typedef float Float4 __attribute__((vector_size(16)));

inline Float4 broadcast(float x) {
    return Float4{x, x, x, x};
}

// Sums of every input times its kernel row, kept in registers: five vectors for 18 outputs.
void dct4x18(const float* in, const float (&kernel)[18][kPad18], float* out) {
    Float4 s0{}, s1{}, s2{}, s3{}, s4{};
    for (int k = 0; k < 18; ++k) {
        if (in[k] == 0.0f) continue;  // high lines are mostly zero
        const Float4 x = broadcast(in[k]);
        const auto* row = reinterpret_cast<const Float4*>(kernel[k]);
        s0 += x * row[0];
        s1 += x * row[1];
        s2 += x * row[2];
        s3 += x * row[3];
        s4 += x * row[4];
    }
    alignas(16) Float4 all[5] = {s0, s1, s2, s3, s4};
    std::memcpy(out, all, 18 * sizeof(float));
}

void dct4x6(const float* in, const float (&kernel)[6][kPad6], float* out) {
    Float4 s0{}, s1{};
    for (int k = 0; k < 6; ++k) {
        const Float4 x = broadcast(in[k]);
        const auto* row = reinterpret_cast<const Float4*>(kernel[k]);
        s0 += x * row[0];
        s1 += x * row[1];
    }
    alignas(16) Float4 all[2] = {s0, s1};
    std::memcpy(out, all, 6 * sizeof(float));
}

// The 2N-output IMDCT is a DCT-IV of N points unfolded: outputs 0 .. N/2-1 are y[N/2 + i],
// N/2 .. 3N/2-1 are -y[3N/2 - 1 - i] and the last N/2 are -y[i - 3N/2].
template <int N>
void unfold(const float* y, float* out) {
    constexpr int h = N / 2;
    for (int i = 0; i < h; ++i) out[i] = y[h + i];
    for (int i = h; i < 3 * h; ++i) out[i] = -y[3 * h - 1 - i];
    for (int i = 3 * h; i < 2 * N; ++i) out[i] = -y[i - 3 * h];
}

void longBlock(const float* in, const float* window, const float* overlap, float* next, float* out,
               int subband) {
    float x[36];
    imdct36(in, x);
    for (int i = 0; i < 18; ++i) {
        out[i * 32 + subband] = x[i] * window[i] + overlap[i];
        next[i] = x[i + 18] * window[i + 18];
    }
}

// Three windows, interleaved in the input (value k of window w at 3k + w), overlapped at
// offsets 6, 12 and 18 of the 36-sample block.
void shortBlock(const float* in, const float* window, const float* overlap, float* next, float* out,
                int subband) {
    float block[36] = {};
    for (int w = 0; w < 3; ++w) {
        float coefficients[6];
        for (int k = 0; k < 6; ++k) coefficients[k] = in[3 * k + w];
        float x[12];
        imdct12(coefficients, x);
        for (int i = 0; i < 12; ++i) block[6 + 6 * w + i] += x[i] * window[i];
    }
    for (int i = 0; i < 18; ++i) {
        out[i * 32 + subband] = block[i] + overlap[i];
        next[i] = block[i + 18];
    }
}

}  // namespace

void imdct36(const float* in, float* out) {
    float y[18];
    dct4x18(in, kernels().k18, y);
    unfold<18>(y, out);
}

void imdct12(const float* in, float* out) {
    float y[6];
    dct4x6(in, kernels().k6, y);
    unfold<6>(y, out);
}

int reduceAliases(float* lines, int nonZeroEnd, bool hasLongBands, bool mixed) {
    if (!hasLongBands) return nonZeroEnd;
    const Layer3Tables& t = layer3Tables();
    const int boundaries = mixed ? 1 : std::min((nonZeroEnd + 7) / 18, 31);
    for (int b = 1; b <= boundaries; ++b) {
        float* edge = lines + 18 * b;
        for (int k = 0; k < 8; ++k) {
            const float below = edge[-1 - k];
            const float above = edge[k];
            edge[-1 - k] = below * t.aliasCs[k] - above * t.aliasCa[k];
            edge[k] = above * t.aliasCs[k] + below * t.aliasCa[k];
        }
    }
    if (boundaries == 0) return nonZeroEnd;
    return std::min(576, std::max(nonZeroEnd, 18 * boundaries + 8));
}

int runHybridFilter(const HybridChannel& c, float* out) {
    const Layer3Tables& t = layer3Tables();
    const int limit = std::clamp(c.hybridSubbands, 0, 32);
    const int longSubbands = std::min((c.longPartEnd + 17) / 18, limit);
    const int codedSubbands =
        std::max(longSubbands, std::min(c.shortPart ? (c.nonZeroEnd + 17) / 18 : 0, limit));
    const float* longWindow = t.window[c.blockType == 2 ? 0 : c.blockType & 3];

    int sb = 0;
    for (; sb < longSubbands; ++sb) {
        float* lines = c.lines + 18 * sb;
        const float* window = sb < c.normalWindowSubbands ? t.window[0] : longWindow;
        longBlock(lines, window, c.overlap + 18 * sb, lines, out, sb);
    }
    for (; sb < codedSubbands; ++sb) {
        float* lines = c.lines + 18 * sb;
        shortBlock(lines, t.window[2], c.overlap + 18 * sb, lines, out, sb);
    }
    // Subbands with no new values still release the previous granule's overlap.
    const int overlapSubbands = std::max(codedSubbands, std::min(c.previousSubbands, limit));
    for (; sb < overlapSubbands; ++sb) {
        const float* overlap = c.overlap + 18 * sb;
        for (int i = 0; i < 18; ++i) out[i * 32 + sb] = overlap[i];
        std::fill(c.lines + 18 * sb, c.lines + 18 * sb + 18, 0.0f);
    }
    for (int rest = sb; rest < 32; ++rest) {
        for (int i = 0; i < 18; ++i) out[i * 32 + rest] = 0.0f;
    }
    // Frequency inversion: odd slots of odd subbands change sign.
    for (int odd = 1; odd < sb; odd += 2) {
        for (int i = 1; i < 18; i += 2) out[i * 32 + odd] = -out[i * 32 + odd];
    }
    return sb;
}

}  // namespace velk
