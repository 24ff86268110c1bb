#include "decoder/layer3_hybrid.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "decoder/layer3_tables.h"
#include "decoder/synthesis_lanes.h"

namespace velk {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Four floats as one value: GCC and Clang map the arithmetic onto SSE registers.
using Float4 = NarrowLanes;

inline Float4 broadcast(float x) {
    return Float4{x, x, x, x};
}

// The 18-point DCT-IV y[j] = sum over k of x[k] cos(pi/18 (j + 1/2)(k + 1/2)) in three folds:
// with u[k] = x[k] + x[k - 1] it is T[j] / (2 cos(pi/36 (j + 1/2))), where T is the 18-point
// DCT-III of u; T splits by the parity of k into two 9-point DCT-IIIs (the odd half after the
// same fold, divided by 2 cos(pi/18 (j + 1/2))), and a 9-point DCT-III pairs outputs j and
// 8 - j by the parity of its inputs. What is left are two small products of four columns.
struct Imdct18Constants {
    Float4 evenColumns[4];  // inputs 2, 4, 6, 8 of a 9-point DCT-III, outputs 0..3
    Float4 oddColumns[4];   // inputs 1, 3, 5, 7, outputs 0..3
    float oddScale[9];      // 1 / (2 cos(pi/18 (j + 1/2)))
    float outputScale[18];  // 1 / (2 cos(pi/36 (j + 1/2)))
    Imdct18Constants() {
        for (int c = 0; c < 4; ++c) {
            for (int j = 0; j < 4; ++j) {
                evenColumns[c][j] =
                    static_cast<float>(std::cos(kPi / 9.0 * (j + 0.5) * (2 * c + 2)));
                oddColumns[c][j] =
                    static_cast<float>(std::cos(kPi / 9.0 * (j + 0.5) * (2 * c + 1)));
            }
        }
        for (int j = 0; j < 9; ++j) {
            oddScale[j] = static_cast<float>(0.5 / std::cos(kPi / 18.0 * (j + 0.5)));
        }
        for (int j = 0; j < 18; ++j) {
            outputScale[j] = static_cast<float>(0.5 / std::cos(kPi / 36.0 * (j + 0.5)));
        }
    }
};

const Imdct18Constants& imdct18Constants() {
    static const Imdct18Constants instance;
    return instance;
}

// out[j] = sum over m < 9 of v[m] cos(pi/9 (j + 1/2) m).
inline void dct3x9(const float* v, const Imdct18Constants& c, float* out) {
    Float4 even = broadcast(v[0]) + broadcast(v[2]) * c.evenColumns[0] +
                  broadcast(v[4]) * c.evenColumns[1] + broadcast(v[6]) * c.evenColumns[2] +
                  broadcast(v[8]) * c.evenColumns[3];
    Float4 odd = broadcast(v[1]) * c.oddColumns[0] + broadcast(v[3]) * c.oddColumns[1] +
                 broadcast(v[5]) * c.oddColumns[2] + broadcast(v[7]) * c.oddColumns[3];
    const Float4 low = even + odd;
    const Float4 high = even - odd;
    for (int j = 0; j < 4; ++j) {
        out[j] = low[j];
        out[8 - j] = high[j];
    }
    out[4] = v[0] - v[2] + v[4] - v[6] + v[8];  // the odd inputs vanish at j = 4
}

// The same for four transforms at once, one per lane.
inline void dct3x9(const Float4* v, const Imdct18Constants& c, Float4* out) {
    for (int j = 0; j < 4; ++j) {
        Float4 even = v[0];
        Float4 odd{};
        for (int m = 0; m < 4; ++m) {
            even += v[2 * m + 2] * c.evenColumns[m][j];
            odd += v[2 * m + 1] * c.oddColumns[m][j];
        }
        out[j] = even + odd;
        out[8 - j] = even - odd;
    }
    out[4] = v[0] - v[2] + v[4] - v[6] + v[8];
}

// V is float, or Float4 for four transforms at once.
template <class V>
void dct4x18(const V* x, V* y) {
    const Imdct18Constants& c = imdct18Constants();
    V even[9];
    V odd[9];
    even[0] = x[0];
    odd[0] = x[1] + x[0];
    for (int m = 1; m < 9; ++m) {
        even[m] = x[2 * m] + x[2 * m - 1];
        // u[2m + 1] + u[2m - 1]
        odd[m] = x[2 * m + 1] + x[2 * m] + x[2 * m - 1] + x[2 * m - 2];
    }
    V evenOut[9];
    V oddOut[9];
    dct3x9(even, c, evenOut);
    dct3x9(odd, c, oddOut);
    for (int j = 0; j < 9; ++j) {
        const V o = oddOut[j] * c.oddScale[j];
        y[j] = (evenOut[j] + o) * c.outputScale[j];
        y[17 - j] = (evenOut[j] - o) * c.outputScale[17 - j];
    }
}

// The 6-point DCT-IV of the short blocks as a plain product: its cosines stored row by input
// with the outputs padded to a multiple of four.
constexpr int kPad6 = 8;

struct Dct6Kernel {
    alignas(16) float k6[6][kPad6];
    Dct6Kernel() {
        for (int k = 0; k < 6; ++k) {
            for (int j = 0; j < kPad6; ++j) {
                k6[k][j] =
                    j < 6 ? static_cast<float>(std::cos(kPi / 6.0 * (j + 0.5) * (k + 0.5))) : 0.0f;
            }
        }
    }
};

const Dct6Kernel& dct6Kernel() {
    static const Dct6Kernel instance;
    return instance;
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

// Frequency inversion, done as the samples are written: odd slots of odd subbands change sign
// (by the sign bit, which is exact).
inline void storeSlot(float* out, int slot, int subband, float value) {
    const auto flip = static_cast<uint32_t>(slot & subband & 1) << 31;
    out[subband * 18 + slot] = std::bit_cast<float>(std::bit_cast<uint32_t>(value) ^ flip);
}

void longBlock(const float* in, const float* window, const float* overlap, float* next, float* out,
               int subband) {
    float x[36];
    imdct36(in, x);
    for (int i = 0; i < 18; ++i) {
        storeSlot(out, i, subband, x[i] * window[i] + overlap[i]);
        next[i] = x[i + 18] * window[i + 18];
    }
}

// 18 values of four subband rows (18 floats apart) as vectors, lane l from row l; and back.
// Squares of four values are turned in registers; the last one starts at 14 and overlaps the
// one before.
void loadRows(const float* rows, Float4* columns) {
    for (int k = 0; k < 16; k += 4) {
        for (int l = 0; l < 4; ++l) loadLanes(columns[k + l], rows + 18 * l + k);
        transposeSquare(columns + k);
    }
    Float4 tail[4];
    for (int l = 0; l < 4; ++l) loadLanes(tail[l], rows + 18 * l + 14);
    transposeSquare(tail);
    columns[16] = tail[2];
    columns[17] = tail[3];
}

void storeRows(Float4* columns, float* rows) {
    Float4 tail[4] = {columns[14], columns[15], columns[16], columns[17]};
    transposeSquare(tail);
    for (int l = 0; l < 4; ++l) storeLanes(rows + 18 * l + 14, tail[l]);
    for (int k = 0; k < 16; k += 4) {
        transposeSquare(columns + k);
        for (int l = 0; l < 4; ++l) storeLanes(rows + 18 * l + k, columns[k + l]);
    }
}

// longBlock for four subbands from `subband` on (a multiple of four) with the same window, one
// per lane.
void longBlocks(const float* in, const float* window, const float* overlap, float* next, float* out,
                int subband) {
    Float4 x[18];
    loadRows(in, x);
    Float4 y[18];
    dct4x18(x, y);
    Float4 previous[18];
    loadRows(overlap, previous);
    // The IMDCT's outputs unfolded from the DCT-IV's (see unfold): y[9 + i], then -y[26 - i],
    // then -y[i - 27].
    Float4 samples[18];
    Float4 kept[18];
    // Odd slots of the odd subbands (lanes 1 and 3) change sign: multiplying by -1 is exact.
    const Float4 inverted{1.0f, -1.0f, 1.0f, -1.0f};
    for (int i = 0; i < 18; ++i) {
        const Float4 early = i < 9 ? y[9 + i] : -y[26 - i];
        samples[i] = early * window[i] + previous[i];
        if (i & 1) samples[i] *= inverted;
        const Float4 late = i < 9 ? -y[8 - i] : -y[i - 9];
        kept[i] = late * window[18 + i];
    }
    storeRows(samples, out + 18 * subband);
    storeRows(kept, next);
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
        storeSlot(out, i, subband, block[i] + overlap[i]);
        next[i] = block[i + 18];
    }
}

}  // namespace

void imdct36(const float* in, float* out) {
    float y[18];
    dct4x18(in, y);
    unfold<18>(y, out);
}

void imdct12(const float* in, float* out) {
    float y[6];
    dct4x6(in, dct6Kernel().k6, y);
    unfold<6>(y, out);
}

int reduceAliases(float* lines, int nonZeroEnd, bool hasLongBands, bool mixed) {
    if (!hasLongBands) return nonZeroEnd;
    const Layer3Tables& t = layer3Tables();
    const int boundaries = mixed ? 1 : std::min((nonZeroEnd + 7) / 18, 31);
    // Lines 1..8 below a boundary pair with lines 0..7 above it: the lines below are read and
    // written in reverse order, four at a time.
    Float4 cs[2], ca[2];
    for (int h = 0; h < 2; ++h) {
        loadLanes(cs[h], t.aliasCs + 4 * h);
        loadLanes(ca[h], t.aliasCa + 4 * h);
    }
    for (int b = 1; b <= boundaries; ++b) {
        float* edge = lines + 18 * b;
        for (int h = 0; h < 2; ++h) {
            Float4 below, above;
            loadLanes(below, edge - 4 - 4 * h);
            reverseLanes(below);
            loadLanes(above, edge + 4 * h);
            Float4 newBelow = below * cs[h] - above * ca[h];
            const Float4 newAbove = above * cs[h] + below * ca[h];
            reverseLanes(newBelow);
            storeLanes(edge - 4 - 4 * h, newBelow);
            storeLanes(edge + 4 * h, newAbove);
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
    if (c.normalWindowSubbands == 0) {
        for (; sb + 4 <= longSubbands; sb += 4) {
            float* lines = c.lines + 18 * sb;
            longBlocks(lines, longWindow, c.overlap + 18 * sb, lines, out, sb);
        }
    }
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
        for (int i = 0; i < 18; ++i) storeSlot(out, i, sb, overlap[i]);
        std::fill(c.lines + 18 * sb, c.lines + 18 * sb + 18, 0.0f);
    }
    std::fill(out + 18 * sb, out + 18 * 32, 0.0f);
    return sb;
}

}  // namespace velk
