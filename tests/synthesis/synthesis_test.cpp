// The fast filterbank against the standard's slow form, the reduced rates, the output formats
// and the history.
#include "decoder/synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "decoder/synthesis_dct.h"
#include "decoder/synthesis_window.h"
#include "reference_filterbank.h"

namespace velk {
namespace {

constexpr int kSlotCount = 18 * 8;

std::vector<float> randomSubbands(int slots, float amplitude, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> value(-amplitude, amplitude);
    std::vector<float> out(static_cast<size_t>(slots) * 32);
    for (float& v : out) v = value(rng);
    return out;
}

int sample16(const std::vector<uint8_t>& pcm, size_t index) {
    return static_cast<int16_t>(pcm[2 * index] | (pcm[2 * index + 1] << 8));
}

int expectedSample(double sum) {
    return static_cast<int>(std::trunc(std::clamp(sum, -32768.0, 32767.0)));
}

// 18 slots of 32 subbands (slot-major, as the reference takes them) in the granule form:
// subband-major, with the padding the synthesis may read.
std::vector<float> granuleForm(const float* slots) {
    std::vector<float> granule(32 * 18 + Synthesis::kInputPadding, 0.0f);
    for (int slot = 0; slot < 18; ++slot) {
        for (int k = 0; k < 32; ++k) granule[k * 18 + slot] = slots[slot * 32 + k];
    }
    return granule;
}

// Runs the fast filterbank over `subbands` (whole granules of slot-major slots, one channel,
// mono 16-bit output).
std::vector<uint8_t> synthesizeMono(Synthesis& synthesis, const std::vector<float>& subbands) {
    const size_t granules = subbands.size() / (32 * 18);
    std::vector<uint8_t> pcm(granules * 18 * static_cast<size_t>(synthesis.slotBytes()));
    for (size_t g = 0; g < granules; ++g) {
        synthesis.synthesizeGranule(granuleForm(subbands.data() + g * 32 * 18).data(), 0,
                                    pcm.data() + g * 18 * synthesis.slotBytes());
    }
    return pcm;
}

// Expected 16-bit output of the slow filterbank with subbands from `bandLimit` on cleared,
// keeping every (1 << reduction)-th sample.
std::vector<int> referenceOutput(std::vector<float> subbands, int bandLimit, int reduction,
                                 double gain = 1.0) {
    test::ReferenceFilterbank reference;
    std::vector<int> out;
    for (size_t slot = 0; slot < subbands.size() / 32; ++slot) {
        float* s = subbands.data() + slot * 32;
        for (int k = bandLimit; k < 32; ++k) s[k] = 0.0f;
        const std::vector<double> sums = reference.slot(s);
        for (int j = 0; j < 32; j += 1 << reduction) out.push_back(expectedSample(sums[j] * gain));
    }
    return out;
}

void expectWithinOne(const std::vector<uint8_t>& pcm, const std::vector<int>& expected) {
    ASSERT_EQ(pcm.size(), expected.size() * 2);
    int worst = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        worst = std::max(worst, std::abs(sample16(pcm, i) - expected[i]));
    }
    EXPECT_LE(worst, 1);
}

// Each lane carries a slot of its own through the transforms.
template <class L>
void expectDctsMatchTheDefinition() {
    constexpr int kSlots = kLanesOf<L>;
    const std::vector<float> in = randomSubbands(kSlots, 1000.0f, 7);
    L x[32];
    for (int k = 0; k < 32; ++k) {
        for (int s = 0; s < kSlots; ++s) x[k][s] = in[s * 32 + k];
    }
    const DctFactors& factors = dctFactors();
    L out[3][32];
    dct<L, 32>(factors, x, out[0]);
    dct<L, 16>(factors, x, out[1]);
    dct<L, 8>(factors, x, out[2]);
    for (int s = 0; s < kSlots; ++s) {
        for (int t = 0; t < 3; ++t) {
            const int n = 32 >> t;
            const std::vector<double> expected = test::directDct(in.data() + s * 32, n);
            for (int m = 0; m < n; ++m) {
                EXPECT_NEAR(out[t][m][s], expected[m], 0.02) << "size " << n << ", slot " << s;
            }
        }
    }
}

TEST(SynthesisDct, EverySizeMatchesTheDefinition) {
    expectDctsMatchTheDefinition<NarrowLanes>();
    expectDctsMatchTheDefinition<WideLanes>();
}

TEST(Synthesis, FullRateEqualsTheStandardFilterbank) {
    const std::vector<float> subbands = randomSubbands(kSlotCount, 3000.0f, 1);
    for (bool wide : {false, true}) {
        Synthesis synthesis;
        synthesis.allowWideLanes(wide);
        synthesis.configure(1, 0, false);
        expectWithinOne(synthesizeMono(synthesis, subbands), referenceOutput(subbands, 32, 0));
    }
}

TEST(Synthesis, FourAndEightLaneRoutinesGiveTheSameSamples) {
    const std::vector<float> subbands = randomSubbands(kSlotCount, 3000.0f, 13);
    for (int reduction = 0; reduction <= 2; ++reduction) {
        Synthesis narrow, wide;
        narrow.allowWideLanes(false);
        narrow.configure(1, reduction, false);
        wide.configure(1, reduction, false);
        EXPECT_EQ(synthesizeMono(narrow, subbands), synthesizeMono(wide, subbands));
    }
}

TEST(Synthesis, ReducedRatesKeepEverySecondOrFourthSampleOfTheBandLimitedFilterbank) {
    const std::vector<float> subbands = randomSubbands(kSlotCount, 3000.0f, 2);
    for (int reduction = 1; reduction <= 2; ++reduction) {
        for (bool wide : {false, true}) {
            Synthesis synthesis;
            synthesis.allowWideLanes(wide);
            synthesis.configure(1, reduction, false);
            // The upper subbands are in the input and must be ignored.
            expectWithinOne(synthesizeMono(synthesis, subbands),
                            referenceOutput(subbands, 32 >> reduction, reduction));
        }
    }
}

TEST(Synthesis, LoudInputClipsAndNeverWraps) {
    Synthesis synthesis;
    synthesis.configure(1, 0, false);
    // A full-scale square wave in the lowest subbands drives the sums far past 16 bits.
    std::vector<float> subbands(kSlotCount * 32, 0.0f);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (int k = 0; k < 4; ++k) subbands[slot * 32 + k] = (slot / 9) % 2 ? 60000.0f : -60000.0f;
    }
    const std::vector<uint8_t> pcm = synthesizeMono(synthesis, subbands);
    const std::vector<int> expected = referenceOutput(subbands, 32, 0);
    int high = 0, low = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_LE(std::abs(sample16(pcm, i) - expected[i]), 1) << "sample " << i;
        high += expected[i] == 32767;
        low += expected[i] == -32768;
    }
    EXPECT_GT(high, 0);
    EXPECT_GT(low, 0);
}

TEST(Synthesis, EveryRoutineWritesExactlyItsShareOfTheBuffer) {
    const std::vector<float> subbands = granuleForm(randomSubbands(18, 2000.0f, 3).data());
    for (int channels = 1; channels <= 2; ++channels) {
        for (int reduction = 0; reduction <= 2; ++reduction) {
            for (bool eightBit : {false, true}) {
                Synthesis synthesis;
                synthesis.configure(channels, reduction, eightBit);
                const int expectedSlotBytes = (32 >> reduction) * channels * (eightBit ? 1 : 2);
                ASSERT_EQ(synthesis.slotBytes(), expectedSlotBytes);
                const size_t used = 18 * static_cast<size_t>(expectedSlotBytes);
                std::vector<uint8_t> pcm(used + 64, 0xAB);
                for (int channel = 0; channel < channels; ++channel) {
                    synthesis.synthesizeGranule(subbands.data(), channel, pcm.data());
                }
                // A channel the output does not have writes nothing.
                synthesis.synthesizeGranule(subbands.data(), channels, pcm.data());
                for (size_t i = used; i < pcm.size(); ++i) {
                    ASSERT_EQ(pcm[i], 0xAB) << channels << " ch, reduction " << reduction;
                }
            }
        }
    }
}

TEST(Synthesis, EightBitOutputIsTheSixteenBitHighByteOffsetBy128) {
    const std::vector<float> subbands = randomSubbands(36, 3000.0f, 4);
    Synthesis wide, narrow;
    wide.configure(1, 0, false);
    narrow.configure(1, 0, true);
    const std::vector<uint8_t> pcm16 = synthesizeMono(wide, subbands);
    const std::vector<uint8_t> pcm8 = synthesizeMono(narrow, subbands);
    ASSERT_EQ(pcm8.size() * 2, pcm16.size());
    for (size_t i = 0; i < pcm8.size(); ++i) {
        ASSERT_EQ(pcm8[i], static_cast<uint8_t>((sample16(pcm16, i) >> 8) ^ 0x80));
    }
}

TEST(Synthesis, StereoOutputInterleavesLeftFirst) {
    const std::vector<float> left = randomSubbands(18, 3000.0f, 5);
    const std::vector<float> right = randomSubbands(18, 3000.0f, 6);
    Synthesis stereo, monoLeft, monoRight;
    stereo.configure(2, 0, false);
    monoLeft.configure(1, 0, false);
    monoRight.configure(1, 0, false);
    std::vector<uint8_t> apart(18 * 128), together(18 * 128);
    stereo.synthesizeGranule(granuleForm(left.data()).data(), 0, apart.data());
    stereo.synthesizeGranule(granuleForm(right.data()).data(), 1, apart.data());
    const std::vector<uint8_t> l = synthesizeMono(monoLeft, left);
    const std::vector<uint8_t> r = synthesizeMono(monoRight, right);
    for (size_t i = 0; i < 18 * 32; ++i) {
        ASSERT_EQ(sample16(apart, 2 * i), sample16(l, i));
        ASSERT_EQ(sample16(apart, 2 * i + 1), sample16(r, i));
    }
    // Both channels in one call give the same samples.
    Synthesis both;
    both.configure(2, 0, false);
    both.synthesizeGranule(granuleForm(left.data()).data(), granuleForm(right.data()).data(),
                           together.data());
    EXPECT_EQ(together, apart);
}

// 18 slot-major slots of each channel in the Layer I/II block form, the slots after them
// filled with `rest`.
std::vector<float> blockForm(const std::vector<float>& left, const std::vector<float>& right,
                             float rest) {
    constexpr int kRow = Synthesis::kBlockSlots;
    std::vector<float> block(2 * 32 * kRow + Synthesis::kInputPadding, rest);
    const int slots = static_cast<int>(left.size() / 32);
    for (int slot = 0; slot < slots; ++slot) {
        for (int k = 0; k < 32; ++k) {
            block[k * kRow + slot] = left[slot * 32 + k];
            block[(32 + k) * kRow + slot] = right[slot * 32 + k];
        }
    }
    return block;
}

TEST(Synthesis, BlockFormEqualsGranuleForm) {
    const std::vector<float> left = randomSubbands(18, 3000.0f, 8);
    const std::vector<float> right = randomSubbands(18, 3000.0f, 9);
    // Slots past the count given stay unread.
    const std::vector<float> block = blockForm(left, right, 1e6f);
    for (int reduction = 0; reduction <= 2; ++reduction) {
        for (bool wide : {false, true}) {
            Synthesis bySlots, byGranule;
            bySlots.allowWideLanes(wide);
            bySlots.configure(2, reduction, false);
            byGranule.configure(2, reduction, false);
            std::vector<uint8_t> a(18 * bySlots.slotBytes()), b(a.size());
            bySlots.synthesizeSlots(block.data(), 18, a.data());
            byGranule.synthesizeGranule(granuleForm(left.data()).data(), 0, b.data());
            byGranule.synthesizeGranule(granuleForm(right.data()).data(), 1, b.data());
            EXPECT_EQ(a, b) << "reduction " << reduction << (wide ? ", wide" : "");
        }
    }
}

// Slots go through in groups as wide as a vector: blocks of any length, one after another,
// must join as seamlessly as whole granules do, across the history's moves.
TEST(Synthesis, BlocksOfAnyLengthJoinLikeGranules) {
    const std::vector<float> left = randomSubbands(kSlotCount, 3000.0f, 14);
    const std::vector<float> right = randomSubbands(kSlotCount, 3000.0f, 15);
    const int lengths[] = {12, 36, 1, 7, 36, 20, 32};  // kSlotCount in all
    for (int reduction = 0; reduction <= 2; ++reduction) {
        for (bool wide : {false, true}) {
            Synthesis byBlocks, byGranules;
            byBlocks.allowWideLanes(wide);
            byBlocks.configure(2, reduction, false);
            byGranules.configure(2, reduction, false);
            const size_t slotBytes = static_cast<size_t>(byBlocks.slotBytes());
            std::vector<uint8_t> a(kSlotCount * slotBytes), b(a.size());
            int first = 0;
            for (int length : lengths) {
                const auto part = [&](const std::vector<float>& all) {
                    return std::vector<float>(all.begin() + first * 32,
                                              all.begin() + (first + length) * 32);
                };
                const std::vector<float> block = blockForm(part(left), part(right), 1e6f);
                byBlocks.synthesizeSlots(block.data(), length, a.data() + first * slotBytes);
                first += length;
            }
            ASSERT_EQ(first, kSlotCount);
            for (int g = 0; g < kSlotCount / 18; ++g) {
                byGranules.synthesizeGranule(granuleForm(left.data() + g * 18 * 32).data(),
                                             granuleForm(right.data() + g * 18 * 32).data(),
                                             b.data() + g * 18 * slotBytes);
            }
            EXPECT_EQ(a, b) << "reduction " << reduction << (wide ? ", wide" : "");
        }
    }
}

TEST(Synthesis, SingleChannelBlocksReadOnlyTheFirstChannelsRows) {
    const std::vector<float> mono = randomSubbands(18, 3000.0f, 10);
    const std::vector<float> loud(18 * 32, 1e6f);
    const std::vector<float> block = blockForm(mono, loud, 0.0f);
    Synthesis bySlots, byGranule;
    bySlots.configure(1, 0, false);
    byGranule.configure(1, 0, false);
    std::vector<uint8_t> a(18 * 64);
    bySlots.synthesizeSlots(block.data(), 18, a.data());
    EXPECT_EQ(a, synthesizeMono(byGranule, mono));
}

TEST(Synthesis, ResetForgetsTheHistory) {
    const std::vector<float> first = randomSubbands(36, 3000.0f, 11);
    const std::vector<float> second = randomSubbands(18, 3000.0f, 12);
    Synthesis used, fresh;
    used.configure(1, 0, false);
    fresh.configure(1, 0, false);
    synthesizeMono(used, first);
    used.reset();
    EXPECT_EQ(synthesizeMono(used, second), synthesizeMono(fresh, second));
}

TEST(Synthesis, NaNInputGivesDefinedSamples) {
    std::vector<float> subbands(18 * 32, std::nanf(""));
    Synthesis synthesis;
    synthesis.configure(1, 0, false);
    const std::vector<uint8_t> pcm = synthesizeMono(synthesis, subbands);
    // From the second slot on every sum has a NaN term (in the first, sample 16 meets only the
    // zero history).
    for (size_t i = 32; i < pcm.size() / 2; ++i) ASSERT_EQ(sample16(pcm, i), -32768);
}

}  // namespace
}  // namespace velk
