#include "decoder/synthesis.h"

#include <algorithm>
#include <cstring>

#include "decoder/synthesis_dct.h"
#include "decoder/synthesis_output.h"
#include "decoder/synthesis_window.h"

// The AVX2 routines exist where the compiler can target x86 instruction sets per function.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VELK_WIDE_LANES 1
#else
#define VELK_WIDE_LANES 0
#endif

namespace velk {
namespace {

// The window rearranged per reduction: row `age` (0..15) holds, for each output sample j of a
// slot, the coefficient D[32 * age + (j << reduction)] that weighs the history slot of that
// age. Reduced rates keep every second or fourth output sample of the full-rate filterbank.
struct SlotWindows {
    float rows[3][16 * 32];
    SlotWindows() {
        const float* d = synthesisWindow();
        for (int reduction = 0; reduction < 3; ++reduction) {
            const int outputs = 32 >> reduction;
            for (int age = 0; age < 16; ++age) {
                for (int j = 0; j < outputs; ++j) {
                    rows[reduction][age * outputs + j] = d[32 * age + (j << reduction)];
                }
            }
        }
    }
};

const SlotWindows& slotWindows() {
    static const SlotWindows windows;
    return windows;
}

}  // namespace

Synthesis::Synthesis() : dct_(&dctMatrices()) {
    routine_ = routineFor(2, 0, false);
    const SlotWindows& windows = slotWindows();
    for (int r = 0; r < 3; ++r) windows_[r] = windows.rows[r];
    std::fill(gains_, gains_ + kEqualizerSubbands, 1.0f);
    reset();
}

void Synthesis::configure(int outputChannels, int reduction, bool eightBit) {
    channels_ = std::clamp(outputChannels, 1, 2);
    reduction_ = std::clamp(reduction, 0, 2);
    eightBit_ = eightBit;
    slotBytes_ = (32 >> reduction_) * channels_ * (eightBit_ ? 1 : 2);
    routine_ = routineFor(channels_, reduction_, eightBit_);
}

void Synthesis::reset() {
    std::memset(history_, 0, sizeof history_);
    newest_[0] = newest_[1] = 0;
}

void Synthesis::setEqualizer(const int32_t* table) {
    equalizerOn_ = table != nullptr;
    if (table) velk::equalizerGains(table, gains_);
}

void Synthesis::synthesizeGranule(const float* subbands, int channel, uint8_t* out) {
    if (channel < 0 || channel >= channels_) return;
    for (int slot = 0; slot < kGranuleSlots; ++slot) {
        (this->*routine_)(subbands + slot * kSubbands, 1, channel, out + slot * slotBytes_);
    }
}

void Synthesis::synthesizeSlots(const float* slots, int slotCount, uint8_t* out) {
    for (int slot = 0; slot < slotCount; ++slot) {
        for (int channel = 0; channel < channels_; ++channel) {
            (this->*routine_)(slots + slot * kSlotFloats + channel, channels_, channel,
                              out + slot * slotBytes_);
        }
    }
}

// One time slot of one channel. The standard's 1024-value V vector is never built: each slot's
// 64 matrixed values follow from the N-point DCT by symmetry, and output sample j sums, over
// the last 16 slots, the first half (even ages) or the second half (odd ages) of each slot's
// values, weighted by the window.
template <class Lanes, int Channels, int Reduction, bool EightBit>
[[gnu::always_inline]] inline void Synthesis::synthesizeSlot(const float* in, int stride,
                                                             int channel, uint8_t* out) {
    constexpr int kOutputs = 32 >> Reduction;
    constexpr int kHalf = kOutputs / 2;
    constexpr int kSlotValues = 2 * kOutputs;
    constexpr int kBytes = EightBit ? 1 : 2;

    float samples[kOutputs];
    if (stride == 1) {
        std::memcpy(samples, in, sizeof samples);
    } else {
        for (int k = 0; k < kOutputs; ++k) samples[k] = in[k * stride];
    }
    if constexpr (Reduction == 0) {
        if (equalizerOn_) {
            for (int k = 0; k < kOutputs; ++k) samples[k] *= gains_[k];
        }
    }
    float matrixed[kOutputs];
    dct<Lanes, kOutputs>(*dct_, samples, matrixed);

    int& newest = newest_[channel];
    newest = (newest - 1) & (kHistorySlots - 1);
    float* history = history_[channel];
    float* values = history + newest * kSlotValues;
    for (int j = 0; j < kHalf; ++j) values[j] = matrixed[kHalf + j];
    values[kHalf] = 0.0f;
    for (int j = kHalf + 1; j <= 3 * kHalf; ++j) values[j] = -matrixed[3 * kHalf - j];
    for (int j = 3 * kHalf + 1; j < kSlotValues; ++j) values[j] = -matrixed[j - 3 * kHalf];

    constexpr int kWidth = kLanesOf<Lanes>;
    constexpr int kVectors = kOutputs / kWidth;
    // Even and odd ages sum apart: two short dependency chains instead of one long one.
    Lanes lanes[2][kVectors] = {};
    const float* window = windows_[Reduction];
    for (int age = 0; age < kHistorySlots; age += 2) {
        const float* even = history + ((newest + age) & (kHistorySlots - 1)) * kSlotValues;
        const float* odd =
            history + ((newest + age + 1) & (kHistorySlots - 1)) * kSlotValues + kOutputs;
        const float* row = window + age * kOutputs;
        unrolled<kVectors>([&](int v) {
            addProduct(lanes[0][v], row + v * kWidth, even + v * kWidth);
            addProduct(lanes[1][v], row + kOutputs + v * kWidth, odd + v * kWidth);
        });
    }
    int pcm[kOutputs];
    for (int v = 0; v < kVectors; ++v) storePcmLanes(pcm + v * kWidth, lanes[0][v] + lanes[1][v]);

    uint8_t* sample = out + channel * kBytes;
    for (int j = 0; j < kOutputs; ++j, sample += Channels * kBytes) {
        storeSample<EightBit>(pcm[j], sample);
    }
}

template <int Channels, int Reduction, bool EightBit>
void Synthesis::synthesizeSlotNarrow(const float* in, int stride, int channel, uint8_t* out) {
    synthesizeSlot<NarrowLanes, Channels, Reduction, EightBit>(in, stride, channel, out);
}

#if VELK_WIDE_LANES
template <int Channels, int Reduction, bool EightBit>
__attribute__((target("avx2"))) void Synthesis::synthesizeSlotWide(const float* in, int stride,
                                                                   int channel, uint8_t* out) {
    synthesizeSlot<WideLanes, Channels, Reduction, EightBit>(in, stride, channel, out);
}
#endif

Synthesis::SlotRoutine Synthesis::routineFor(int channels, int reduction, bool eightBit) const {
    static constexpr SlotRoutine kNarrow[2][3][2] = {
        {{&Synthesis::synthesizeSlotNarrow<1, 0, false>,
          &Synthesis::synthesizeSlotNarrow<1, 0, true>},
         {&Synthesis::synthesizeSlotNarrow<1, 1, false>,
          &Synthesis::synthesizeSlotNarrow<1, 1, true>},
         {&Synthesis::synthesizeSlotNarrow<1, 2, false>,
          &Synthesis::synthesizeSlotNarrow<1, 2, true>}},
        {{&Synthesis::synthesizeSlotNarrow<2, 0, false>,
          &Synthesis::synthesizeSlotNarrow<2, 0, true>},
         {&Synthesis::synthesizeSlotNarrow<2, 1, false>,
          &Synthesis::synthesizeSlotNarrow<2, 1, true>},
         {&Synthesis::synthesizeSlotNarrow<2, 2, false>,
          &Synthesis::synthesizeSlotNarrow<2, 2, true>}},
    };
#if VELK_WIDE_LANES
    static constexpr SlotRoutine kWide[2][3][2] = {
        {{&Synthesis::synthesizeSlotWide<1, 0, false>, &Synthesis::synthesizeSlotWide<1, 0, true>},
         {&Synthesis::synthesizeSlotWide<1, 1, false>, &Synthesis::synthesizeSlotWide<1, 1, true>},
         {&Synthesis::synthesizeSlotWide<1, 2, false>, &Synthesis::synthesizeSlotWide<1, 2, true>}},
        {{&Synthesis::synthesizeSlotWide<2, 0, false>, &Synthesis::synthesizeSlotWide<2, 0, true>},
         {&Synthesis::synthesizeSlotWide<2, 1, false>, &Synthesis::synthesizeSlotWide<2, 1, true>},
         {&Synthesis::synthesizeSlotWide<2, 2, false>, &Synthesis::synthesizeSlotWide<2, 2, true>}},
    };
    static const bool kHasAvx2 = __builtin_cpu_supports("avx2");
    if (wideAllowed_ && kHasAvx2) return kWide[channels - 1][reduction][eightBit ? 1 : 0];
#endif
    return kNarrow[channels - 1][reduction][eightBit ? 1 : 0];
}

}  // namespace velk
