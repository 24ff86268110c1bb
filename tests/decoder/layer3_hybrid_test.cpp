// The hybrid filter: the fast IMDCTs against the standard's formula, alias reduction, the
// overlap hand-over between granules and the frequency inversion.
#include "decoder/layer3_hybrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "decoder/layer3_tables.h"

namespace velk {
namespace {

// The IMDCT as the standard writes it: x[i] = sum of X[k] cos(pi / 2n (2i + 1 + n/2)(2k + 1))
// with n = 2 * inputs.
void imdctReference(const float* in, int inputs, float* out) {
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < 2 * inputs; ++i) {
        double sum = 0.0;
        for (int k = 0; k < inputs; ++k) {
            sum += in[k] * std::cos(pi / (4.0 * inputs) * (2 * i + 1 + inputs) * (2 * k + 1));
        }
        out[i] = static_cast<float>(sum);
    }
}

std::vector<float> randomValues(size_t count, uint32_t seed, float scale) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> dist(-scale, scale);
    std::vector<float> v(count);
    for (float& x : v) x = dist(rng);
    return v;
}

TEST(Imdct, LongFormEqualsTheStandardTransform) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        const std::vector<float> in = randomValues(18, seed, 20000.0f);
        float fast[36], reference[36];
        imdct36(in.data(), fast);
        imdctReference(in.data(), 18, reference);
        // Outputs reach 18 x 20000; float steps there are 0.03, and the folds of the fast
        // form cost a few of them at the edge outputs.
        for (int i = 0; i < 36; ++i) EXPECT_NEAR(fast[i], reference[i], 0.25f) << i;
    }
}

TEST(Imdct, ShortFormEqualsTheStandardTransform) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        const std::vector<float> in = randomValues(6, seed, 20000.0f);
        float fast[12], reference[12];
        imdct12(in.data(), fast);
        imdctReference(in.data(), 6, reference);
        for (int i = 0; i < 12; ++i) EXPECT_NEAR(fast[i], reference[i], 0.02f) << i;
    }
}

TEST(AliasReduction, ButterfliesMixTheEightLinesAroundEachBoundary) {
    const Layer3Tables& t = layer3Tables();
    std::vector<float> lines(576, 0.0f);
    lines[17] = 1.0f;  // just below the first boundary
    const int end = reduceAliases(lines.data(), 18, true, false);
    EXPECT_FLOAT_EQ(lines[17], t.aliasCs[0]);
    EXPECT_FLOAT_EQ(lines[18], t.aliasCa[0]);
    EXPECT_EQ(end, 18 + 8);  // one boundary: the end grows past it
    for (int i = 26; i < 576; ++i) EXPECT_EQ(lines[i], 0.0f);
}

TEST(AliasReduction, MixedBlocksCrossOnlyTheFirstBoundaryAndShortBlocksNone) {
    std::vector<float> lines(576, 1.0f);
    const std::vector<float> before = lines;
    EXPECT_EQ(reduceAliases(lines.data(), 576, false, false), 576);
    EXPECT_EQ(lines, before);
    reduceAliases(lines.data(), 576, true, true);
    EXPECT_NE(lines[17], 1.0f);
    EXPECT_EQ(lines[35], 1.0f);  // the second boundary is left alone
    EXPECT_EQ(lines[36], 1.0f);
}

TEST(AliasReduction, BoundariesStopAtTheThirtyFirst) {
    std::vector<float> lines(576, 1.0f);
    EXPECT_EQ(reduceAliases(lines.data(), 576, true, false), 576);
    EXPECT_EQ(lines[575], 1.0f);  // no boundary above subband 31's start moves the top lines
}

struct HybridRun {
    std::vector<float> lines = std::vector<float>(576, 0.0f);
    std::vector<float> overlap = std::vector<float>(576, 0.0f);
    std::vector<float> out = std::vector<float>(32 * 18, -1.0f);  // subband-major
};

HybridChannel longChannel(HybridRun& r, int end, int previous, int limit) {
    return HybridChannel{r.lines.data(), r.overlap.data(), end, end, 0, 0, false, previous, limit};
}

TEST(HybridFilter, OnlyThePreviousOverlapPassesWhereNothingNewIsCoded) {
    HybridRun r;
    for (int i = 0; i < 18 * 4; ++i) r.overlap[i] = 100.0f + i;
    const int processed = runHybridFilter(longChannel(r, 0, 4, 32), r.out.data());
    EXPECT_EQ(processed, 4);
    for (int slot = 0; slot < 18; ++slot) {
        // Subband 2 passes unchanged, subband 3 has its odd slots inverted.
        EXPECT_EQ(r.out[2 * 18 + slot], 100.0f + 36 + slot);
        const float sign = (slot & 1) ? -1.0f : 1.0f;
        EXPECT_EQ(r.out[3 * 18 + slot], sign * (100.0f + 54 + slot));
        for (int sb = 4; sb < 32; ++sb) EXPECT_EQ(r.out[sb * 18 + slot], 0.0f);
    }
    for (float v : r.lines) EXPECT_EQ(v, 0.0f);  // nothing carries over to the next granule
}

// Long blocks go four subbands at a time with the rest one by one; wherever the coded part
// ends, each subband is its windowed IMDCT plus the carried overlap, and the subbands past it
// release only the overlap.
TEST(HybridFilter, EveryCodedSubbandCountMatchesTheTransformPlusOverlap) {
    const float* w = layer3Tables().window[0];
    for (int coded : {1, 3, 4, 5, 8, 30, 31, 32}) {
        for (int previous : {0, coded - 1, 32}) {
            HybridRun r;
            const std::vector<float> in = randomValues(576, 40u + coded, 1000.0f);
            std::copy(in.begin(), in.begin() + 18 * coded, r.lines.begin());
            r.overlap = randomValues(576, 90u + previous, 500.0f);
            const int processed =
                runHybridFilter(longChannel(r, 18 * coded, previous, 32), r.out.data());
            const int released = std::max(coded, previous);
            ASSERT_EQ(processed, released);
            for (int sb = 0; sb < 32; ++sb) {
                float x[36] = {};
                if (sb < coded) imdctReference(in.data() + 18 * sb, 18, x);
                const float* overlap = r.overlap.data() + 18 * sb;
                for (int i = 0; i < 18; ++i) {
                    const float sign = (sb & i & 1) ? -1.0f : 1.0f;
                    const float expected = sb < released ? sign * (x[i] * w[i] + overlap[i]) : 0.0f;
                    ASSERT_NEAR(r.out[sb * 18 + i], expected, 0.25f)
                        << coded << " coded, " << previous << " previous, subband " << sb;
                    if (sb < released) {
                        ASSERT_NEAR(r.lines[18 * sb + i], x[18 + i] * w[18 + i], 0.25f)
                            << "kept for the next granule, subband " << sb;
                    }
                }
            }
        }
    }
}

TEST(HybridFilter, TheBandLimitCutsSubbandsEvenWithCodedLines) {
    HybridRun r;
    for (int i = 0; i < 576; ++i) r.lines[i] = 1000.0f;
    const int processed = runHybridFilter(longChannel(r, 576, 0, 16), r.out.data());
    EXPECT_EQ(processed, 16);
    for (int slot = 0; slot < 18; ++slot) {
        for (int sb = 16; sb < 32; ++sb) EXPECT_EQ(r.out[sb * 18 + slot], 0.0f);
    }
}

TEST(HybridFilter, LongBlockOutputIsWindowedImdctPlusOverlap) {
    HybridRun r;
    const std::vector<float> in = randomValues(18, 7, 1000.0f);
    std::copy(in.begin(), in.end(), r.lines.begin());
    for (int i = 0; i < 18; ++i) r.overlap[i] = 3.0f * i;
    runHybridFilter(longChannel(r, 18, 1, 32), r.out.data());
    float x[36];
    imdctReference(in.data(), 18, x);
    const float* w = layer3Tables().window[0];
    for (int i = 0; i < 18; ++i) {
        EXPECT_NEAR(r.out[i], x[i] * w[i] + 3.0f * i, 0.05f);
        EXPECT_NEAR(r.lines[i], x[i + 18] * w[i + 18], 0.05f);  // kept for the next granule
    }
}

TEST(HybridFilter, ShortBlocksOverlapTheThreeWindowsAtSixTwelveAndEighteen) {
    HybridRun r;
    // One coefficient in window 1 only: its 12 outputs land at samples 12..23.
    r.lines[3 * 0 + 1] = 500.0f;
    const HybridChannel c{r.lines.data(), r.overlap.data(), 18, 0, 2, 0, true, 0, 32};
    runHybridFilter(c, r.out.data());
    float coefficients[6] = {500.0f, 0, 0, 0, 0, 0};
    float x[12];
    imdctReference(coefficients, 6, x);
    const float* w = layer3Tables().window[2];
    for (int i = 0; i < 12; ++i) EXPECT_FLOAT_EQ(r.out[i], 0.0f);
    for (int i = 12; i < 18; ++i) EXPECT_NEAR(r.out[i], x[i - 12] * w[i - 12], 0.01f);
    for (int i = 18; i < 24; ++i) EXPECT_NEAR(r.lines[i - 18], x[i - 12] * w[i - 12], 0.01f);
    for (int i = 24; i < 36; ++i) EXPECT_FLOAT_EQ(r.lines[i - 18], 0.0f);
}

}  // namespace
}  // namespace velk
