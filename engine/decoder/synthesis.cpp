#include "decoder/synthesis.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

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

// The window rearranged per reduction, with N = 32 >> reduction outputs per slot. Output j of
// a slot weighs, in the slot of age a (0..15), the coefficient D[32 a + (j << reduction)]
// times one of its matrixed values; reduced rates keep every second or fourth output of the
// full-rate filterbank. The history keeps those values unsigned and the window carries their
// signs: negative for every odd age and, at even ages, for the outputs past the middle one.
//
// Outputs j and N - j weigh the same value of each slot, so they are summed side by side: row a
// of `low` holds the weights of outputs 0 .. N/2 - 1, lane j of `high` those of output N - j
// (lane 0, output N, does not exist and weighs nothing). The middle output N/2 reads a value of
// its own at odd ages (at even ages its value is zero).
struct SlotWindows {
    float low[3][16 * 16];
    float high[3][16 * 16];
    float middle[3][16];
    SlotWindows() {
        const float* d = synthesisWindow();
        for (int reduction = 0; reduction < 3; ++reduction) {
            const int outputs = 32 >> reduction;
            const int half = outputs / 2;
            for (int age = 0; age < 16; ++age) {
                const auto weight = [&](int j) {
                    const bool negative = age % 2 == 1 || j > half;
                    const float value = d[32 * age + (j << reduction)];
                    return negative ? -value : value;
                };
                for (int j = 0; j < half; ++j) {
                    low[reduction][age * half + j] = weight(j);
                    high[reduction][age * half + j] = j == 0 ? 0.0f : weight(outputs - j);
                }
                middle[reduction][age] = age % 2 == 1 ? weight(half) : 0.0f;
            }
        }
    }
};

const SlotWindows& slotWindows() {
    static const SlotWindows windows;
    return windows;
}

// Both channels' samples of one slot interleaved, left first, in the output format.
template <int Outputs, bool EightBit, int Row>
[[gnu::always_inline]] inline void storeInterleaved(const int (*pcm)[Row], uint8_t* out) {
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
    for (int r = 0; r < 3; ++r) {
        windows_[r] = {windows.low[r], windows.high[r], windows.middle[r]};
    }
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
    std::memset(middles_, 0, sizeof middles_);
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
// together; each slot's matrixed values follow from the N-point DCT by symmetry, and output
// sample j sums, over the last 16 slots, one value of each slot weighted by the window.
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
// its first slot the oldest. With N = 32 >> reduction and m a slot's DCT, the slot keeps
// m[N/2 - j] at j (j < N/2; odd ages weigh these), m[N/2 + j] at N/2 + j (even ages) and m[0]
// (the middle output's) in middles_.
template <class Lanes, int Reduction>
[[gnu::always_inline]] inline void Synthesis::pushHistory(int channel, Lanes* values, int rows) {
    constexpr int kWidth = kLanesOf<Lanes>;
    constexpr int kOutputs = 32 >> Reduction;
    constexpr int kHalf = kOutputs / 2;
    float* history = history_[channel];
    float* middles = middles_[channel];
    int& newest = newest_[channel];
    if (newest < kWidth) {
        // Too close to the front for a whole group: the slots still needed move back to the
        // end of the buffer.
        constexpr int kKept = kSynthesisSlots - 1;
        const int to = kHistorySlots - kKept;
        std::memmove(history + to * kOutputs, history + newest * kOutputs,
                     kKept * kOutputs * sizeof(float));
        std::memmove(middles + to, middles + newest, kKept * sizeof(float));
        newest = to;
    }
    // Squares of lanes turned: values[square + r] becomes slot r's m[square, square + width).
    for (int square = 0; square < kOutputs; square += kWidth) transposeSquare(values + square);
    for (int r = 0; r < kWidth; ++r) {
        const int position = newest - 1 - r;
        float* slot = history + position * kOutputs;
        middles[position] = values[r][0];
        if constexpr (kHalf % kWidth == 0) {
            // m[square, square + width) backwards ends at m[N/2 - j] for the lowest j; the square
            // from m[0] reaches one float past, the first of the values stored after.
            for (int square = 0; square < kHalf; square += kWidth) {
                Lanes backwards = values[square + r];
                reverseLanes(backwards);
                storeLanes(slot + kHalf + 1 - kWidth - square, backwards);
            }
            slot[0] = values[kHalf + r][0];
            for (int square = kHalf; square < kOutputs; square += kWidth) {
                storeLanes(slot + square, values[square + r]);
            }
        } else {
            // Fewer values than lanes per half: one square holds them all.
            const Lanes& m = values[r];
            for (int j = 0; j < kHalf; ++j) {
                slot[j] = m[kHalf - j];
                slot[kHalf + j] = m[kHalf + j];
            }
        }
    }
    newest -= rows;
}

// One slot of `Count` channels from `firstChannel` on, `age` slots older than each one's
// newest: the windowed sums over its last 16 slots as samples. The channels share the
// window's loads, and outputs j and N - j each value's load.
template <class Lanes, int Reduction, int Count>
[[gnu::always_inline]] inline void Synthesis::windowSlot(int firstChannel, int age,
                                                         int (*pcm)[32]) {
    constexpr int kOutputs = 32 >> Reduction;
    constexpr int kHalf = kOutputs / 2;
    // Half a slot's outputs in whole vectors: narrow ones at the quarter rate.
    using Half = std::conditional_t<(kHalf >= kLanesOf<Lanes>), Lanes, NarrowLanes>;
    constexpr int kWidth = kLanesOf<Half>;
    constexpr int kVectors = kHalf / kWidth;
    // Sums kept at once: four vectors of accumulators; more spill with the operands.
    constexpr int kPart = std::min(kVectors, std::max(1, 2 / Count));

    // The slots of ages 0..15 lie one after another from the slot's own on.
    const float* slots[Count];
    const float* middles[Count];
    for (int c = 0; c < Count; ++c) {
        const int position = newest_[firstChannel + c] + age;
        slots[c] = history_[firstChannel + c] + position * kOutputs;
        middles[c] = middles_[firstChannel + c] + position;
    }
    const WindowRows& window = windows_[Reduction];
    Half lows[Count][kVectors];
    Half highs[Count][kVectors];
    for (int part = 0; part < kVectors; part += kPart) {
        Half low[Count][kPart] = {};
        Half high[Count][kPart] = {};
        unrolled<kSynthesisSlots>([&](int a) {
            // Even ages weigh the second half of a slot's values, odd ages the first.
            const int half = a % 2 == 0 ? kHalf : 0;
            unrolled<kPart>([&](int v) {
                const int first = (part + v) * kWidth;
                Half lowWeights, highWeights;
                loadLanes(lowWeights, window.low + a * kHalf + first);
                loadLanes(highWeights, window.high + a * kHalf + first);
                for (int c = 0; c < Count; ++c) {
                    Half value;
                    loadLanes(value, slots[c] + a * kOutputs + half + first);
                    low[c][v] += lowWeights * value;
                    high[c][v] += highWeights * value;
                }
            });
        });
        for (int c = 0; c < Count; ++c) {
            for (int v = 0; v < kPart; ++v) {
                lows[c][part + v] = low[c][v];
                highs[c][part + v] = high[c][v];
            }
        }
    }
    for (int c = 0; c < Count; ++c) {
        Half middle{};
        for (int a = 1; a < kSynthesisSlots; a += 2) middle[0] += window.middle[a] * middles[c][a];
        for (int v = 0; v < kVectors; ++v) storePcmLanes(pcm[c] + v * kWidth, lows[c][v]);
        // Lane j of the high sums is output N - j: outputs N/2 .. N - 1 are the middle one, then
        // those lanes from the top down.
        for (int k = 0; k < kVectors; ++k) {
            const Half& first = k == 0 ? middle : highs[c][kVectors - k];
            Half outputs;
            followedBackwards(outputs, first, highs[c][kVectors - 1 - k]);
            storePcmLanes(pcm[c] + kHalf + k * kWidth, outputs);
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
