// The equalizer's gain table and its effect at full and reduced rate.
#include "decoder/equalizer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "decoder/synthesis.h"
#include "decoder/synthesis_lanes.h"
#include "decoder/synthesis_output.h"

namespace velk {
namespace {

std::vector<float> randomGranule(float amplitude) {
    std::mt19937 rng(21);
    std::uniform_real_distribution<float> value(-amplitude, amplitude);
    std::vector<float> out(18 * 32 + Synthesis::kInputPadding, 0.0f);
    for (size_t i = 0; i < 18 * 32; ++i) out[i] = value(rng);
    return out;
}

std::vector<int> decode(Synthesis& synthesis, const std::vector<float>& granule, int granules) {
    std::vector<uint8_t> pcm(18 * static_cast<size_t>(synthesis.slotBytes()));
    std::vector<int> out;
    for (int g = 0; g < granules; ++g) {
        synthesis.synthesizeGranule(granule.data(), 0, pcm.data());
        for (size_t i = 0; i < pcm.size(); i += 2) {
            out.push_back(static_cast<int16_t>(pcm[i] | (pcm[i + 1] << 8)));
        }
    }
    return out;
}

TEST(EqualizerGains, BandsMapOntoWideningSubbandGroups) {
    const int32_t table[kEqualizerBands] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    float gains[kEqualizerSubbands];
    equalizerGains(table, gains);
    const int firstSubband[kEqualizerBands + 1] = {0, 1, 2, 3, 4, 5, 6, 8, 12, 20, 32};
    for (int band = 0; band < kEqualizerBands; ++band) {
        const float expected = std::pow(10.0f, table[band] / 200.0f);
        for (int k = firstSubband[band]; k < firstSubband[band + 1]; ++k) {
            EXPECT_FLOAT_EQ(gains[k], expected) << "subband " << k;
        }
    }
}

TEST(EqualizerGains, PlusTwelveDecibelsIsAFactorOfAbout398) {
    const int32_t table[kEqualizerBands] = {120, 120, 120, 120, 120, 120, 120, 120, 120, 120};
    float gains[kEqualizerSubbands];
    equalizerGains(table, gains);
    EXPECT_NEAR(gains[31], 3.981f, 0.001f);
}

TEST(EqualizerGains, HostileValuesStayFinite) {
    const int32_t table[kEqualizerBands] = {INT_MAX, INT_MIN, 0, 0, 0, 0, 0, 0, 0, 0};
    float gains[kEqualizerSubbands];
    equalizerGains(table, gains);
    EXPECT_TRUE(std::isfinite(gains[0]));
    EXPECT_GT(gains[1], 0.0f);
}

TEST(Equalizer, SwitchesOnWithATableAndOffWithNone) {
    Synthesis synthesis;
    EXPECT_FALSE(synthesis.equalizerOn());
    const int32_t zeros[kEqualizerBands] = {};
    synthesis.setEqualizer(zeros);
    EXPECT_TRUE(synthesis.equalizerOn());
    for (int k = 0; k < kEqualizerSubbands; ++k) EXPECT_EQ(synthesis.equalizerGains()[k], 1.0f);
    synthesis.setEqualizer(nullptr);
    EXPECT_FALSE(synthesis.equalizerOn());
}

TEST(Equalizer, PlusTwelveDecibelsRaisesTheFullRateLevel) {
    const std::vector<float> granule = randomGranule(500.0f);
    const int32_t boost[kEqualizerBands] = {120, 120, 120, 120, 120, 120, 120, 120, 120, 120};
    Synthesis plain, boosted;
    plain.configure(1, 0, false);
    boosted.configure(1, 0, false);
    boosted.setEqualizer(boost);
    const std::vector<int> a = decode(plain, granule, 3);
    const std::vector<int> b = decode(boosted, granule, 3);
    double plainEnergy = 0, boostedEnergy = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        plainEnergy += double(a[i]) * a[i];
        boostedEnergy += double(b[i]) * b[i];
    }
    EXPECT_NEAR(std::sqrt(boostedEnergy / plainEnergy), 3.98, 0.01);
}

TEST(Equalizer, ReducedRatesIgnoreTheGains) {
    const std::vector<float> granule = randomGranule(3000.0f);
    const int32_t boost[kEqualizerBands] = {120, 120, 120, 120, 120, 120, 120, 120, 120, 120};
    for (int reduction = 1; reduction <= 2; ++reduction) {
        Synthesis plain, boosted;
        plain.configure(1, reduction, false);
        boosted.configure(1, reduction, false);
        boosted.setEqualizer(boost);
        EXPECT_EQ(decode(plain, granule, 2), decode(boosted, granule, 2));
    }
}

int pcmSample(float sum) {
    const NarrowLanes lanes = {sum, 0.0f, -sum, sum};
    int samples[4];
    storePcmLanes(samples, lanes);
    EXPECT_EQ(samples[3], samples[0]);
    return samples[0];
}

TEST(SampleConversion, TruncatesTowardZeroAndClips) {
    EXPECT_EQ(pcmSample(32767.9f), 32767);
    EXPECT_EQ(pcmSample(-0.9f), 0);
    EXPECT_EQ(pcmSample(0.9f), 0);
    EXPECT_EQ(pcmSample(-1.5f), -1);
    EXPECT_EQ(pcmSample(-32768.5f), -32768);
    EXPECT_EQ(pcmSample(1e9f), 32767);
    EXPECT_EQ(pcmSample(-1e9f), -32768);
    EXPECT_EQ(pcmSample(INFINITY), 32767);
    EXPECT_EQ(pcmSample(std::nanf("")), -32768);
}

TEST(SampleConversion, StoresLittleEndianOrUnsignedEightBit) {
    uint8_t out[2];
    storeSample<false>(-2, out);
    EXPECT_EQ(out[0], 0xFE);
    EXPECT_EQ(out[1], 0xFF);
    const std::pair<int, int> eightBit[] = {
        {0, 128}, {255, 128}, {-1, 127}, {32767, 255}, {-32768, 0}};
    for (const auto& [sample, expected] : eightBit) {
        storeSample<true>(sample, out);
        EXPECT_EQ(out[0], expected) << sample;
    }
}

}  // namespace
}  // namespace velk
