#include "decoder/layer12_tables.h"

#include <cmath>

namespace velk {
namespace {

constexpr int kClassCount = 17;
constexpr int kStepsOf[kClassCount] = {3,   5,    7,    9,    15,   31,    63,    127,  255,
                                       511, 1023, 2047, 4095, 8191, 16383, 32767, 65535};
constexpr int kBitsOf[kClassCount] = {5, 7, 3, 10, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

QuantClass makeClass(int steps, int bits, bool grouped) {
    return {steps, bits, grouped, (steps - 1) / 2, 2.0f / static_cast<float>(steps)};
}

struct Classes {
    QuantClass layer2[kClassCount];
    QuantClass layer1[16];
    Classes() {
        for (int i = 0; i < kClassCount; ++i) {
            const int steps = kStepsOf[i];
            layer2[i] = makeClass(steps, kBitsOf[i], steps == 3 || steps == 5 || steps == 9);
        }
        layer1[0] = makeClass(1, 0, false);
        for (int n = 1; n < 16; ++n) layer1[n] = makeClass((2 << n) - 1, n + 1, false);
    }
};

const Classes& classes() {
    static const Classes tables;
    return tables;
}

struct Degrouping {
    int8_t three[32 * 3];
    int8_t five[128 * 3];
    int8_t nine[1024 * 3];
    Degrouping() {
        fill(three, 3, 32);
        fill(five, 5, 128);
        fill(nine, 9, 1024);
    }
    static void fill(int8_t* table, int steps, int codes) {
        const int center = (steps - 1) / 2;
        for (int code = 0; code < codes; ++code) {
            table[code * 3] = static_cast<int8_t>(code % steps - center);
            table[code * 3 + 1] = static_cast<int8_t>(code / steps % steps - center);
            table[code * 3 + 2] = static_cast<int8_t>(code / steps / steps - center);
        }
    }
};

// Class indices (into kStepsOf) for allocation values 1..15 of each kind of subband.
constexpr int8_t kHighRateLow[15] = {0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
constexpr int8_t kHighRateMid[15] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16};
constexpr int8_t kHighRateUpper[15] = {0, 1, 2, 3, 4, 5, 16, -1, -1, -1, -1, -1, -1, -1, -1};
constexpr int8_t kHighRateTop[15] = {0, 1, 16, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
constexpr int8_t kLowRateLow[15] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr int8_t kLowRateUpper[15] = {0, 1, 3, 4, 5, 6, 7, -1, -1, -1, -1, -1, -1, -1, -1};
constexpr int8_t kLowerFsLow[15] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
constexpr int8_t kLowerFsTop[15] = {0, 1, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

// ISO/IEC 11172-3 tables B.2a to B.2d and the table of ISO/IEC 13818-3 for the lower rates.
constexpr AllocationGroup kTableA[] = {
    {3, 4, kHighRateLow}, {8, 4, kHighRateMid}, {12, 3, kHighRateUpper}, {4, 2, kHighRateTop}};
constexpr AllocationGroup kTableB[] = {
    {3, 4, kHighRateLow}, {8, 4, kHighRateMid}, {12, 3, kHighRateUpper}, {7, 2, kHighRateTop}};
constexpr AllocationGroup kTableC[] = {{2, 4, kLowRateLow}, {6, 3, kLowRateUpper}};
constexpr AllocationGroup kTableD[] = {{2, 4, kLowRateLow}, {10, 3, kLowRateUpper}};
constexpr AllocationGroup kTableLowerFs[] = {
    {4, 4, kLowerFsLow}, {7, 3, kLowRateUpper}, {19, 2, kLowerFsTop}};

constexpr AllocationTable kB2a = {27, 4, kTableA};
constexpr AllocationTable kB2b = {30, 4, kTableB};
constexpr AllocationTable kB2c = {8, 2, kTableC};
constexpr AllocationTable kB2d = {12, 2, kTableD};
constexpr AllocationTable kLowerFs = {30, 3, kTableLowerFs};

struct ScaleFactors {
    float values[64];
    ScaleFactors() {
        for (int i = 0; i < 64; ++i) {
            values[i] = static_cast<float>(65536.0 * std::pow(2.0, -i / 3.0));
        }
    }
};

}  // namespace

const QuantClass& quantClass(int index) {
    return classes().layer2[index];
}

const QuantClass& layer1Class(int allocation) {
    return classes().layer1[allocation & 15];
}

const int8_t* degroupTable(int steps) {
    static const Degrouping tables;
    return steps == 3 ? tables.three : steps == 5 ? tables.five : tables.nine;
}

const AllocationTable& layer2AllocationTable(const FrameHeader& header) {
    if (header.version != 1) return kLowerFs;
    const int channels = header.mode == kSingleChannel ? 1 : 2;
    const int perChannel = bitrateKbps(header) / channels;
    // Allowed rates per channel are 32, 48 (the low-rate tables) and 56..192. Below 56 the
    // nearest allowed rate is 32 or 48; above 192 (a mono stream at 224 and up) it is 192.
    if (perChannel < 56) return header.samplingFrequencyIndex == 2 ? kB2d : kB2c;
    if (perChannel <= 80 || header.samplingFrequencyIndex == 1) return kB2a;
    return kB2b;
}

float scaleFactorMultiplier(int index) {
    static const ScaleFactors factors;
    return factors.values[index & 63];
}

}  // namespace velk
