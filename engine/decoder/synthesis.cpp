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
    newest_[0] = newest_[1] = kHistorySlots - (kSynthesisSlots - 1);
}

void Synthesis::setEqualizer(const int32_t* table) {
    equalizerOn_ = table != nullptr;
    if (table) velk::equalizerGains(table, gains_);
}

void Synthesis::synthesizeGranule(const float* subbands, int channel, uint8_t* out) {
    if (channel < 0 || channel >= channels_) return;
    const BlockInput input{{subbands, nullptr}, kGranuleSlots, channel, 1};
    (this->*routine_)(input, kGranuleSlots, out);
}

void Synthesis::synthesizeGranule(const float* left, const float* right, uint8_t* out) {
    if (channels_ != 2) return;
    const BlockInput input{{left, right}, kGranuleSlots, 0, 2};
    (this->*routine_)(input, kGranuleSlots, out);
}

void Synthesis::synthesizeSlots(const float* block, int slotCount, uint8_t* out) {
    slotCount = std::clamp(slotCount, 0, kBlockSlots);
    const BlockInput input{{block, block + kSubbands * kBlockSlots}, kBlockSlots, 0, channels_};
    (this->*routine_)(input, slotCount, out);
}

// A block of slots, a few at a time (as many as a vector has lanes). The standard's 1024-value
// V vector is never built: a group's subband samples, one slot per lane, go through the DCT
// together; each slot's 64 matrixed values follow from the N-point DCT by symmetry, and output
// sample j sums, over the last 16 slots, the first half (even ages) or the second half (odd
// ages) of each slot's values, weighted by the window.
template <class Lanes, int Channels, int Reduction, bool EightBit>
[[gnu::always_inline]] inline void Synthesis::synthesizeBlock(const BlockInput& input,
                                                              int slotCount, uint8_t* out) {
    constexpr int kWidth = kLanesOf<Lanes>;
    constexpr int kOutputs = 32 >> Reduction;
    constexpr int kBytes = EightBit ? 1 : 2;
    const int channels = input.channelCount;
    for (int first = 0; first < slotCount; first += kWidth) {
        const int rows = std::min(kWidth, slotCount - first);
        for (int c = 0; c < channels; ++c) {
            // Lanes past the block's last slot read the padding or the next subband: they fill
            // history slots in front of the newest, which are written again before being read.
            Lanes subbands[kOutputs];
            const float* in = input.channels[c] + first;
            for (int k = 0; k < kOutputs; ++k) loadLanes(subbands[k], in + k * input.subbandStride);
            if constexpr (Reduction == 0) {
                if (equalizerOn_) {
                    for (int k = 0; k < kOutputs; ++k) subbands[k] *= gains_[k];
                }
            }
            Lanes values[kOutputs];
            dct<Lanes, kOutputs>(*dct_, subbands, values);
            pushHistory<Lanes, Reduction>(input.firstChannel + c, values, rows);
        }
        for (int r = 0; r < rows; ++r) {
            int pcm[2][32];
            const int age = rows - 1 - r;  // of this slot, counted from the group's newest
            uint8_t* slotOut = out + (first + r) * slotBytes_;
            if (Channels == 2 && channels == 2) {
                windowSlot<Lanes, Reduction, 2>(0, age, pcm);
                storeInterleaved<kOutputs, EightBit>(pcm, slotOut);
            } else {
                windowSlot<Lanes, Reduction, 1>(input.firstChannel, age, pcm);
                uint8_t* sample = slotOut + input.firstChannel * kBytes;
                for (int j = 0; j < kOutputs; ++j, sample += Channels * kBytes) {
                    storeSample<EightBit>(pcm[0][j], sample);
                }
            }
        }
    }
}

// A group's DCT outputs (one slot per lane, `rows` of them valid) into a channel's history,
// its first slot the oldest. A slot's values, with N = 32 >> reduction and m its DCT:
// values[0, N/2) = m[N/2, N), values[N/2] = 0, values[N/2 + 1 + i] = m[N - 1 - i] and
// values[3N/2, 2N) = m[0, N/2).
template <class Lanes, int Reduction>
[[gnu::always_inline]] inline void Synthesis::pushHistory(int channel, Lanes* values, int rows) {
    constexpr int kWidth = kLanesOf<Lanes>;
    constexpr int kOutputs = 32 >> Reduction;
    constexpr int kHalf = kOutputs / 2;
    constexpr int kSlotValues = 2 * kOutputs;
    float* history = history_[channel];
    int& newest = newest_[channel];
    if (newest < kWidth) {
        // Too close to the front for a whole group: the slots still needed move back to the
        // end of the buffer.
        constexpr int kKept = kSynthesisSlots - 1;
        const int to = kHistorySlots - kKept;
        std::memmove(history + to * kSlotValues, history + newest * kSlotValues,
                     kKept * kSlotValues * sizeof(float));
        newest = to;
    }
    // Squares of lanes turned: values[square + r] becomes slot r's m[square, square + width).
    for (int square = 0; square < kOutputs; square += kWidth) transposeSquare(values + square);
    for (int r = 0; r < kWidth; ++r) {
        float* slot = history + (newest - 1 - r) * kSlotValues;
        slot[kHalf] = 0.0f;
        for (int square = 0; square < kOutputs; square += kWidth) {
            Lanes row = values[square + r];
            if constexpr (kHalf % kWidth == 0) {
                storeLanes(slot + (square < kHalf ? 3 * kHalf : -kHalf) + square, row);
            } else {
                for (int i = 0; i < kWidth; ++i) {
                    const int k = square + i;
                    slot[k < kHalf ? 3 * kHalf + k : k - kHalf] = row[i];
                }
            }
            reverseLanes(row);
            storeLanes(slot + kHalf + 1 + kOutputs - kWidth - square, row);
        }
    }
    newest -= rows;
}

// One slot of `Count` channels from `firstChannel` on, `age` slots older than each one's
// newest: the windowed sums over its last 16 slots as samples. The channels share the
// window's loads.
template <class Lanes, int Reduction, int Count>
[[gnu::always_inline]] inline void Synthesis::windowSlot(int firstChannel, int age,
                                                         int (*pcm)[32]) {
    constexpr int kOutputs = 32 >> Reduction;
    constexpr int kSlotValues = 2 * kOutputs;
    constexpr int kWidth = kLanesOf<Lanes>;
    constexpr int kVectors = kOutputs / kWidth;
    // Sums kept at once: eight vectors of accumulators leave registers for the operands.
    constexpr int kPart = std::min(kVectors, 4 / Count);

    // The slots of ages 0..15 lie one after another from the slot's own on.
    const float* slots[Count];
    for (int c = 0; c < Count; ++c) {
        slots[c] = history_[firstChannel + c] + (newest_[firstChannel + c] + age) * kSlotValues;
    }
    const float* window = windows_[Reduction];
    for (int part = 0; part < kVectors; part += kPart) {
        // Even and odd ages sum apart: two short dependency chains instead of one long one.
        Lanes lanes[Count][2][kPart] = {};
        unrolled<kSynthesisSlots / 2>([&](int pair) {
            const int a = 2 * pair;
            const float* row = window + a * kOutputs + part * kWidth;
            unrolled<kPart>([&](int v) {
                Lanes evenWeights, oddWeights;
                loadLanes(evenWeights, row + v * kWidth);
                loadLanes(oddWeights, row + kOutputs + v * kWidth);
                for (int c = 0; c < Count; ++c) {
                    const float* even = slots[c] + a * kSlotValues + (part + v) * kWidth;
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
