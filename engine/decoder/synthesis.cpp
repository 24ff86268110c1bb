#include "decoder/synthesis.h"

#include <algorithm>
#include <bit>
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
// The history keeps the matrixed values unsigned; the window carries their signs: negative for
// every odd age and, at even ages, for the outputs past the middle one.
struct SlotWindows {
    float rows[3][16 * 32];
    SlotWindows() {
        const float* d = synthesisWindow();
        for (int reduction = 0; reduction < 3; ++reduction) {
            const int outputs = 32 >> reduction;
            for (int age = 0; age < 16; ++age) {
                for (int j = 0; j < outputs; ++j) {
                    const bool negative = age % 2 == 1 || j > outputs / 2;
                    const float value = d[32 * age + (j << reduction)];
                    rows[reduction][age * outputs + j] = negative ? -value : value;
                }
            }
        }
    }
};

const SlotWindows& slotWindows() {
    static const SlotWindows windows;
    return windows;
}

// Both channels' samples of one slot interleaved, left first, in the output format.
template <int Outputs, bool EightBit>
[[gnu::always_inline]] inline void storeInterleaved(const int (*pcm)[32], uint8_t* out) {
    if constexpr (!EightBit && std::endian::native == std::endian::little) {
        using Words = uint32_t __attribute__((vector_size(16)));
        for (int j = 0; j < Outputs; j += 4) {
            Words left, right;
            std::memcpy(&left, pcm[0] + j, sizeof left);
            std::memcpy(&right, pcm[1] + j, sizeof right);
            const Words pairs = (left & 0xFFFFu) | (right << 16);
            std::memcpy(out + 4 * j, &pairs, sizeof pairs);
        }
    } else {
        constexpr int kBytes = EightBit ? 1 : 2;
        for (int j = 0; j < Outputs; ++j) {
            storeSample<EightBit>(pcm[0][j], out + 2 * j * kBytes);
            storeSample<EightBit>(pcm[1][j], out + (2 * j + 1) * kBytes);
        }
    }
}

}  // namespace

Synthesis::Synthesis() : dct_(&dctFactors()) {
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
    newest_[0] = newest_[1] = kHistorySlots - kSynthesisSlots;
}

void Synthesis::setEqualizer(const int32_t* table) {
    equalizerOn_ = table != nullptr;
    if (table) velk::equalizerGains(table, gains_);
}

void Synthesis::synthesizeGranule(const float* subbands, int channel, uint8_t* out) {
    if (channel < 0 || channel >= channels_) return;
    const BlockInput input{{subbands, nullptr}, kSubbands, false, channel, 1};
    (this->*routine_)(input, kGranuleSlots, out);
}

void Synthesis::synthesizeGranule(const float* left, const float* right, uint8_t* out) {
    if (channels_ != 2) return;
    const BlockInput input{{left, right}, kSubbands, false, 0, 2};
    (this->*routine_)(input, kGranuleSlots, out);
}

void Synthesis::synthesizeSlots(const float* slots, int slotCount, uint8_t* out) {
    const BlockInput input{{slots, nullptr}, kSlotFloats, channels_ == 2, 0, channels_};
    (this->*routine_)(input, slotCount, out);
}

// A block of slots, a few at a time (as many as a vector has lanes). The standard's 1024-value
// V vector is never built: the group's subband samples are turned into vectors over its slots,
// which go through the DCT together; each slot's 64 matrixed values then follow from the N-point
// DCT by symmetry, and output sample j sums, over the last 16 slots, the first half (even ages)
// or the second half (odd ages) of each slot's values, weighted by the window.
template <class Lanes, int Channels, int Reduction, bool EightBit>
[[gnu::always_inline]] inline void Synthesis::synthesizeBlock(const BlockInput& input,
                                                              int slotCount, uint8_t* out) {
    constexpr int kWidth = kLanesOf<Lanes>;
    constexpr int kOutputs = 32 >> Reduction;
    constexpr int kBytes = EightBit ? 1 : 2;
    const int channels = input.channelCount;
    for (int first = 0; first < slotCount; first += kWidth) {
        const int rows = std::min(kWidth, slotCount - first);
        Lanes subbands[2][kOutputs];
        if (input.sideBySide) {
            const float* group = input.rows[0] + first * input.rowStride;
            for (int square = 0; square < 2 * kOutputs; square += kWidth) {
                Lanes columns[kWidth];
                loadTransposed(columns, group + square, input.rowStride, rows);
                for (int i = 0; i < kWidth; ++i) subbands[i & 1][(square + i) / 2] = columns[i];
            }
        } else {
            for (int c = 0; c < channels; ++c) {
                const float* group = input.rows[c] + first * input.rowStride;
                for (int square = 0; square < kOutputs; square += kWidth) {
                    loadTransposed(subbands[c] + square, group + square, input.rowStride, rows);
                }
            }
        }
        alignas(32) float matrixed[2][kWidth][kOutputs];
        for (int c = 0; c < channels; ++c) {
            if constexpr (Reduction == 0) {
                if (equalizerOn_) {
                    for (int k = 0; k < kOutputs; ++k) subbands[c][k] *= gains_[k];
                }
            }
            Lanes values[kOutputs];
            dct<Lanes, kOutputs>(*dct_, subbands[c], values);
            for (int square = 0; square < kOutputs; square += kWidth) {
                storeTransposed(matrixed[c][0] + square, kOutputs, values + square);
            }
        }
        for (int r = 0; r < rows; ++r) {
            int pcm[2][32];
            uint8_t* slotOut = out + (first + r) * slotBytes_;
            if (Channels == 2 && channels == 2) {
                const float* both[2] = {matrixed[0][r], matrixed[1][r]};
                windowSlot<Lanes, Reduction, 2>(0, both, pcm);
                storeInterleaved<kOutputs, EightBit>(pcm, slotOut);
            } else {
                const float* one[1] = {matrixed[0][r]};
                windowSlot<Lanes, Reduction, 1>(input.firstChannel, one, pcm);
                uint8_t* sample = slotOut + input.firstChannel * kBytes;
                for (int j = 0; j < kOutputs; ++j, sample += Channels * kBytes) {
                    storeSample<EightBit>(pcm[0][j], sample);
                }
            }
        }
    }
}

// One slot of `Count` channels from `firstChannel` on: each one's matrixed values into its
// history, then the windowed sums over its last 16 slots as samples. The channels share the
// window's loads.
template <class Lanes, int Reduction, int Count>
[[gnu::always_inline]] inline void Synthesis::windowSlot(int firstChannel,
                                                         const float* const* matrixed,
                                                         int (*pcm)[32]) {
    constexpr int kOutputs = 32 >> Reduction;
    constexpr int kHalf = kOutputs / 2;
    constexpr int kSlotValues = 2 * kOutputs;
    constexpr int kWidth = kLanesOf<Lanes>;
    constexpr int kVectors = kOutputs / kWidth;
    // Sums kept at once: eight vectors of accumulators leave registers for the operands.
    constexpr int kPart = std::min(kVectors, 4 / Count);

    const float* newest[Count];
    for (int c = 0; c < Count; ++c) {
        float* history = history_[firstChannel + c];
        int& last = newest_[firstChannel + c];
        if (last == 0) {
            // The history slides back to the end of its buffer, the oldest slot dropped.
            constexpr int kKept = kSynthesisSlots - 1;
            last = kHistorySlots - kKept;
            std::memmove(history + last * kSlotValues, history,
                         kKept * kSlotValues * sizeof(float));
        }
        --last;
        // values[0, kHalf) = m[kHalf, N), values[kHalf] = 0, values[kHalf + 1 + i] = m[N - 1 - i],
        // values[3 kHalf, 2N) = m[0, kHalf), with N = kOutputs.
        float* values = history + last * kSlotValues;
        newest[c] = values;
        const float* m = matrixed[c];
        std::memcpy(values, m + kHalf, kHalf * sizeof(float));
        values[kHalf] = 0.0f;
        for (int v = 0; v < kVectors; ++v) {
            Lanes backwards;
            loadLanes(backwards, m + kOutputs - kWidth * (v + 1));
            reverseLanes(backwards);
            storeLanes(values + kHalf + 1 + kWidth * v, backwards);
        }
        std::memcpy(values + 3 * kHalf, m, kHalf * sizeof(float));
    }

    // The slots of ages 0..15 lie one after another from the newest on.
    const float* window = windows_[Reduction];
    for (int part = 0; part < kVectors; part += kPart) {
        // Even and odd ages sum apart: two short dependency chains instead of one long one.
        Lanes lanes[Count][2][kPart] = {};
        unrolled<kSynthesisSlots / 2>([&](int pair) {
            const int age = 2 * pair;
            const float* row = window + age * kOutputs + part * kWidth;
            unrolled<kPart>([&](int v) {
                Lanes evenWeights, oddWeights;
                loadLanes(evenWeights, row + v * kWidth);
                loadLanes(oddWeights, row + kOutputs + v * kWidth);
                for (int c = 0; c < Count; ++c) {
                    const float* even = newest[c] + age * kSlotValues + (part + v) * kWidth;
                    addProduct(lanes[c][0][v], evenWeights, even);
                    addProduct(lanes[c][1][v], oddWeights, even + kSlotValues + kOutputs);
                }
            });
        });
        for (int c = 0; c < Count; ++c) {
            for (int v = 0; v < kPart; ++v) {
                storePcmLanes(pcm[c] + (part + v) * kWidth, lanes[c][0][v] + lanes[c][1][v]);
            }
        }
    }
}

// Flattened: the transforms' unrolled steps are lambdas, which must all be inlined to keep their
// vectors in registers and (for the wide routine) to be compiled for AVX2 at all.
template <int Channels, int Reduction, bool EightBit>
[[gnu::flatten]] void Synthesis::synthesizeBlockNarrow(const BlockInput& input, int slotCount,
                                                       uint8_t* out) {
    synthesizeBlock<NarrowLanes, Channels, Reduction, EightBit>(input, slotCount, out);
}

#if VELK_WIDE_LANES
template <int Channels, int Reduction, bool EightBit>
[[gnu::flatten]] __attribute__((target("avx2"))) void Synthesis::synthesizeBlockWide(
    const BlockInput& input, int slotCount, uint8_t* out) {
    synthesizeBlock<WideLanes, Channels, Reduction, EightBit>(input, slotCount, out);
}
#endif

Synthesis::BlockRoutine Synthesis::routineFor(int channels, int reduction, bool eightBit) const {
    static constexpr BlockRoutine kNarrow[2][3][2] = {
        {{&Synthesis::synthesizeBlockNarrow<1, 0, false>,
          &Synthesis::synthesizeBlockNarrow<1, 0, true>},
         {&Synthesis::synthesizeBlockNarrow<1, 1, false>,
          &Synthesis::synthesizeBlockNarrow<1, 1, true>},
         {&Synthesis::synthesizeBlockNarrow<1, 2, false>,
          &Synthesis::synthesizeBlockNarrow<1, 2, true>}},
        {{&Synthesis::synthesizeBlockNarrow<2, 0, false>,
          &Synthesis::synthesizeBlockNarrow<2, 0, true>},
         {&Synthesis::synthesizeBlockNarrow<2, 1, false>,
          &Synthesis::synthesizeBlockNarrow<2, 1, true>},
         {&Synthesis::synthesizeBlockNarrow<2, 2, false>,
          &Synthesis::synthesizeBlockNarrow<2, 2, true>}},
    };
#if VELK_WIDE_LANES
    static constexpr BlockRoutine kWide[2][3][2] = {
        {{&Synthesis::synthesizeBlockWide<1, 0, false>,
          &Synthesis::synthesizeBlockWide<1, 0, true>},
         {&Synthesis::synthesizeBlockWide<1, 1, false>,
          &Synthesis::synthesizeBlockWide<1, 1, true>},
         {&Synthesis::synthesizeBlockWide<1, 2, false>,
          &Synthesis::synthesizeBlockWide<1, 2, true>}},
        {{&Synthesis::synthesizeBlockWide<2, 0, false>,
          &Synthesis::synthesizeBlockWide<2, 0, true>},
         {&Synthesis::synthesizeBlockWide<2, 1, false>,
          &Synthesis::synthesizeBlockWide<2, 1, true>},
         {&Synthesis::synthesizeBlockWide<2, 2, false>,
          &Synthesis::synthesizeBlockWide<2, 2, true>}},
    };
    static const bool kHasAvx2 = __builtin_cpu_supports("avx2");
    if (wideAllowed_ && kHasAvx2) return kWide[channels - 1][reduction][eightBit ? 1 : 0];
#endif
    return kNarrow[channels - 1][reduction][eightBit ? 1 : 0];
}

}  // namespace velk
