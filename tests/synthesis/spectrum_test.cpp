// The four analysers against a direct DFT, the bin scale, the silent bin, the waveform scale,
// mono and 8-bit input, and the mode selection.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "decoder/spectrum_analyser.h"
#include "decoder/spectrum_data.h"

namespace velk {
namespace {

constexpr int kPoints = SpectrumAnalyser::kPoints;

std::vector<uint8_t> pcm16(const std::vector<int>& interleaved) {
    std::vector<uint8_t> out;
    for (int s : interleaved) {
        out.push_back(static_cast<uint8_t>(s & 0xFF));
        out.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
    }
    return out;
}

std::vector<int> sine(int count, double cyclesPerSample, double amplitude) {
    std::vector<int> out(count);
    for (int n = 0; n < count; ++n) {
        out[n] =
            static_cast<int>(std::lround(amplitude * std::sin(2 * M_PI * cyclesPerSample * n)));
    }
    return out;
}

TEST(SpectrumAnalyser, EveryWindowMatchesADirectTransform) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> value(-32768, 32767);
    std::vector<double> samples(kPoints);
    for (double& s : samples) s = value(rng);
    for (auto shape : {SpectrumAnalyser::kRectangular, SpectrumAnalyser::kHann,
                       SpectrumAnalyser::kHamming, SpectrumAnalyser::kBlackman}) {
        SpectrumAnalyser analyser(shape);
        int32_t bins[SpectrumAnalyser::kBins];
        analyser.analyse(samples.data(), bins);
        for (int k = 0; k < SpectrumAnalyser::kBins; k += 17) {
            std::complex<double> sum = 0;
            for (int n = 0; n < kPoints; ++n) {
                sum += samples[n] * analyser.window()[n] *
                       std::polar(1.0, -2 * M_PI * k * n / kPoints);
            }
            const double expected = 20 * std::log10(std::abs(sum) / std::sqrt(512.0));
            EXPECT_NEAR(bins[k], expected, 1.0) << "shape " << shape << " bin " << k;
        }
    }
}

TEST(SpectrumAnalyser, WindowShapes) {
    SpectrumAnalyser hann(SpectrumAnalyser::kHann), hamming(SpectrumAnalyser::kHamming),
        blackman(SpectrumAnalyser::kBlackman), flat(SpectrumAnalyser::kRectangular);
    EXPECT_DOUBLE_EQ(hann.window()[0], 0.0);
    EXPECT_DOUBLE_EQ(hann.window()[256], 1.0);
    EXPECT_NEAR(hamming.window()[0], 0.08, 1e-12);
    EXPECT_NEAR(blackman.window()[256], 1.0, 1e-12);
    EXPECT_NEAR(blackman.window()[0], 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(flat.window()[100], 1.0);
}

TEST(SpectrumAnalyser, ABinCentredSineShowsItsLevel) {
    std::vector<double> samples(kPoints);
    for (int n = 0; n < kPoints; ++n) samples[n] = 10000.0 * std::sin(2 * M_PI * 32 * n / kPoints);
    SpectrumAnalyser analyser(SpectrumAnalyser::kRectangular);
    int32_t bins[SpectrumAnalyser::kBins];
    analyser.analyse(samples.data(), bins);
    // |X[32]| = 10000 * 512 / 2; divided by sqrt(512): 20 log10(113137) = 101.07.
    EXPECT_EQ(bins[32], 101);
    for (int k = 0; k < SpectrumAnalyser::kBins; ++k) {
        if (k != 32) {
            EXPECT_LT(bins[k], 0) << k;
        }
    }
}

TEST(SpectrumAnalyser, SilenceGivesTheSilentBinBelowEveryRealOne) {
    std::vector<double> samples(kPoints, 0.0);
    SpectrumAnalyser analyser(SpectrumAnalyser::kBlackman);
    int32_t bins[SpectrumAnalyser::kBins];
    analyser.analyse(samples.data(), bins);
    for (int32_t b : bins) EXPECT_EQ(b, SpectrumAnalyser::kSilentBin);
    // The faintest real input: one LSB at the window's thinnest non-zero point.
    samples[1] = 1.0;
    analyser.analyse(samples.data(), bins);
    for (int32_t b : bins) EXPECT_GT(b, SpectrumAnalyser::kSilentBin);
}

TEST(SpectrumData, ModeSevenSelectsHann) {
    SpectrumData data;
    EXPECT_EQ(data.mode(), 1);
    for (int mode : {0, 2, 3}) {
        data.setMode(mode);
        EXPECT_EQ(data.mode(), mode);
    }
    data.setMode(7);
    EXPECT_EQ(data.mode(), 1);
    data.setMode(-1);
    EXPECT_EQ(data.mode(), 1);
}

TEST(SpectrumData, WaveValuesScaleToPlusMinus100AndTruncate) {
    std::vector<int> samples(256 * 2, 0);
    const int values[][2] = {{32767, 100}, {-32768, -100}, {327, 0}, {-328, -1}, {16384, 50}};
    for (int i = 0; i < 5; ++i) {
        samples[2 * i] = values[i][0];
        samples[2 * i + 1] = -values[i][0] / 2;
    }
    const std::vector<uint8_t> pcm = pcm16(samples);
    ASSERT_EQ(pcm.size(), SpectrumData::waveBytes(2));
    int32_t left[256], right[256];
    EXPECT_EQ(SpectrumData::wave(pcm.data(), 2, 16, left, right), 256);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(left[i], values[i][1]);
        EXPECT_EQ(right[i], (-values[i][0] / 2) * 100 / 32767);
    }
    EXPECT_EQ(left[255], 0);
}

TEST(SpectrumData, MonoInputZeroesTheRightArrays) {
    const std::vector<uint8_t> pcm = pcm16(sine(kPoints, 0.1, 8000));
    ASSERT_EQ(pcm.size(), SpectrumData::spectrumBytes(1));
    SpectrumData data;
    int32_t left[256], right[256];
    std::fill(right, right + 256, 7);
    EXPECT_EQ(data.spectrum(pcm.data(), 1, 16, left, right), 512);
    for (int32_t v : right) ASSERT_EQ(v, 0);
    EXPECT_GT(*std::max_element(left, left + 256), 60);
    std::fill(right, right + 256, 7);
    SpectrumData::wave(pcm.data(), 1, 16, left, right);
    for (int32_t v : right) ASSERT_EQ(v, 0);
}

TEST(SpectrumData, SilentPassageGivesZeroWaveAndBottomSpectrum) {
    const std::vector<uint8_t> pcm(SpectrumData::spectrumBytes(2), 0);
    SpectrumData data;
    int32_t left[256], right[256];
    SpectrumData::wave(pcm.data(), 2, 16, left, right);
    for (int i = 0; i < 256; ++i) ASSERT_TRUE(left[i] == 0 && right[i] == 0);
    data.spectrum(pcm.data(), 2, 16, left, right);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(left[i], SpectrumAnalyser::kSilentBin);
        ASSERT_EQ(right[i], SpectrumAnalyser::kSilentBin);
    }
}

TEST(SpectrumData, EightBitSamplesWidenAroundTheirMiddle) {
    std::vector<uint8_t> pcm(SpectrumData::waveBytes(1), 128);
    pcm[0] = 255;
    pcm[1] = 1;
    pcm[2] = 0;  // zero-filled ring memory reads as silence, not full scale
    int32_t left[256], right[256];
    SpectrumData::wave(pcm.data(), 1, 8, left, right);
    EXPECT_EQ(left[0], 127 * 256 * 100 / 32767);
    EXPECT_EQ(left[1], -127 * 256 * 100 / 32767);
    EXPECT_EQ(left[2], 0);
    EXPECT_EQ(left[3], 0);
}

TEST(SpectrumData, TheModeChoosesTheWindow) {
    // A sine between two bins leaks far more through the rectangular window than through
    // Blackman's.
    const std::vector<uint8_t> pcm = pcm16(sine(kPoints, 40.5 / kPoints, 10000));
    SpectrumData data;
    int32_t flat[256], blackman[256], right[256];
    data.setMode(0);
    data.spectrum(pcm.data(), 1, 16, flat, right);
    data.setMode(3);
    data.spectrum(pcm.data(), 1, 16, blackman, right);
    EXPECT_GT(flat[100], blackman[100] + 20);
}

}  // namespace
}  // namespace velk
