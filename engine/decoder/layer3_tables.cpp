#include "decoder/layer3_tables.h"

#include <cmath>

namespace velk {

const uint8_t kPretab[22] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 3, 3, 3, 2, 0};

namespace {

// Rows: MPEG-1 44.1, 48, 32 kHz; MPEG-2 22.05, 24, 16 kHz; MPEG-2.5 11.025, 12, 8 kHz.
constexpr BandTable kBands[9] = {
    {{0,  4,  8,   12,  16,  20,  24,  30,  36,  44,  52, 62,
      74, 90, 110, 134, 162, 196, 238, 288, 342, 418, 576},
     {0, 4, 8, 12, 16, 22, 30, 40, 52, 66, 84, 106, 136, 192}},
    {{0,  4,  8,   12,  16,  20,  24,  30,  36,  42,  50, 60,
      72, 88, 106, 128, 156, 190, 230, 276, 330, 384, 576},
     {0, 4, 8, 12, 16, 22, 28, 38, 50, 64, 80, 100, 126, 192}},
    {{0,  4,   8,   12,  16,  20,  24,  30,  36,  44,  54, 66,
      82, 102, 126, 156, 194, 240, 296, 364, 448, 550, 576},
     {0, 4, 8, 12, 16, 22, 30, 42, 58, 78, 104, 138, 180, 192}},
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 24, 32, 42, 56, 74, 100, 132, 174, 192}},
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      114, 136, 162, 194, 232, 278, 332, 394, 464, 540, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 136, 180, 192}},
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    {{0,   6,   12,  18,  24,  30,  36,  44,  54,  66,  80, 96,
      116, 140, 168, 200, 238, 284, 336, 396, 464, 522, 576},
     {0, 4, 8, 12, 18, 26, 36, 48, 62, 80, 104, 134, 174, 192}},
    {{0,   12,  24,  36,  48,  60,  72,  88,  108, 132, 160, 192,
      232, 280, 336, 400, 476, 566, 568, 570, 572, 574, 576},
     {0, 8, 16, 24, 36, 52, 72, 96, 124, 160, 162, 164, 166, 192}},
};

constexpr double kPi = 3.14159265358979323846;
constexpr double kAliasC[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};

void fillIntensity(Layer3Tables& t) {
    const float root2 = static_cast<float>(std::sqrt(2.0));
    for (int ms = 0; ms < 2; ++ms) {
        const float scale = ms ? root2 : 1.0f;
        for (int p = 0; p < 7; ++p) {
            const double s = std::sin(p * kPi / 12.0), c = std::cos(p * kPi / 12.0);
            t.intensity[ms][p] = {static_cast<float>(s / (s + c)) * scale,
                                  static_cast<float>(c / (s + c)) * scale};
        }
        t.intensity[ms][7] = ms ? IntensityRatio{1.0f, 1.0f} : IntensityRatio{1.0f, 0.0f};
    }
    for (int is = 0; is < 2; ++is) {
        const double factor = is ? std::pow(2.0, -0.5) : std::pow(2.0, -0.25);
        for (int ms = 0; ms < 2; ++ms) {
            const float scale = ms ? root2 : 1.0f;
            for (int width = 0; width <= 5; ++width) {
                IntensityRatio* row = t.intensityLsf[is][ms][width];
                const int last = (1 << width) - 1;
                for (int k = 0; k < 32; ++k) {
                    IntensityRatio r{1.0f, 1.0f};
                    if (k >= last) {
                        row[k] = ms ? IntensityRatio{1.0f, 1.0f} : IntensityRatio{1.0f, 0.0f};
                        continue;
                    }
                    if (k & 1) {
                        r.left = static_cast<float>(std::pow(factor, (k + 1) / 2));
                    } else if (k > 0) {
                        r.right = static_cast<float>(std::pow(factor, k / 2));
                    }
                    row[k] = {r.left * scale, r.right * scale};
                }
            }
        }
    }
}

void fillWindows(Layer3Tables& t) {
    for (int i = 0; i < 36; ++i) {
        const float longWindow = static_cast<float>(std::sin(kPi / 36.0 * (i + 0.5)));
        t.window[0][i] = longWindow;
        t.window[1][i] = i < 18   ? longWindow
                         : i < 24 ? 1.0f
                         : i < 30 ? static_cast<float>(std::sin(kPi / 12.0 * (i - 18 + 0.5)))
                                  : 0.0f;
        t.window[3][i] = i < 6    ? 0.0f
                         : i < 12 ? static_cast<float>(std::sin(kPi / 12.0 * (i - 6 + 0.5)))
                         : i < 18 ? 1.0f
                                  : longWindow;
        t.window[2][i] = i < 12 ? static_cast<float>(std::sin(kPi / 12.0 * (i + 0.5))) : 0.0f;
    }
}

Layer3Tables makeTables() {
    Layer3Tables t{};
    for (int i = 0; i < 262; ++i) t.gain[i] = static_cast<float>(std::pow(2.0, (i - 156) / 4.0));
    for (int scale = 0; scale < 2; ++scale) {
        for (int p = 0; p < 4; ++p) {
            for (int sf = 0; sf < 32; ++sf) {
                t.scaleFactor[scale][p][sf] =
                    static_cast<float>(std::pow(2.0, -0.5 * (1 + scale) * (sf + p)));
            }
        }
    }
    for (int x = 0; x <= kMaxHuffmanMagnitude; ++x) {
        t.power[x] = static_cast<float>(x * std::cbrt(static_cast<double>(x)));
    }
    for (int g = 0; g < 8; ++g) t.subblockGain[g] = static_cast<float>(std::pow(2.0, -2.0 * g));
    for (int i = 0; i < 8; ++i) {
        const double root = std::sqrt(1.0 + kAliasC[i] * kAliasC[i]);
        t.aliasCs[i] = static_cast<float>(1.0 / root);
        t.aliasCa[i] = static_cast<float>(kAliasC[i] / root);
    }
    fillIntensity(t);
    fillWindows(t);
    return t;
}

}  // namespace

const BandTable& bandTable(uint32_t version, uint32_t samplingFrequencyIndex) {
    const uint32_t v = (version >= 1 && version <= 3) ? version - 1 : 0;
    const uint32_t r = samplingFrequencyIndex < 3 ? samplingFrequencyIndex : 0;
    return kBands[v * 3 + r];
}

const Layer3Tables& layer3Tables() {
    static const Layer3Tables tables = makeTables();
    return tables;
}

}  // namespace velk
