#include "decoder/spectrum_analyser.h"

#include <cmath>

namespace velk {
namespace {

constexpr int kStages = 9;
static_assert(1 << kStages == SpectrumAnalyser::kPoints);

double windowValue(SpectrumAnalyser::Shape shape, int n) {
    const double phase = 2.0 * M_PI * n / SpectrumAnalyser::kPoints;
    switch (shape) {
        case SpectrumAnalyser::kHann:
            return 0.5 - 0.5 * std::cos(phase);
        case SpectrumAnalyser::kHamming:
            return 0.54 - 0.46 * std::cos(phase);
        case SpectrumAnalyser::kBlackman:
            return 0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2.0 * phase);
        default:
            return 1.0;
    }
}

}  // namespace

SpectrumAnalyser::SpectrumAnalyser(Shape shape) {
    for (int n = 0; n < kPoints; ++n) {
        window_[n] = windowValue(shape, n);
        int reversed = 0;
        for (int bit = 0; bit < kStages; ++bit) reversed |= ((n >> bit) & 1) << (kStages - 1 - bit);
        bitReversed_[n] = static_cast<uint16_t>(reversed);
    }
    int at = 0;
    for (int span = 2; span <= kPoints; span *= 2) {
        for (int k = 0; k < span / 2; ++k) {
            const double angle = 2.0 * M_PI * k / span;
            twiddles_[at++] = {std::cos(angle), -std::sin(angle)};
        }
    }
}

void SpectrumAnalyser::analyse(const double* samples, int32_t* bins) {
    for (int n = 0; n < kPoints; ++n) work_[bitReversed_[n]] = samples[n] * window_[n];
    transform();
    const double scale = 1.0 / std::sqrt(static_cast<double>(kPoints));
    for (int k = 0; k < kBins; ++k) {
        const double magnitude = std::abs(work_[k]) * scale;
        // log10(0) is minus infinity, which no integer holds.
        bins[k] =
            magnitude > 1e-30 ? static_cast<int32_t>(20.0 * std::log10(magnitude)) : kSilentBin;
    }
}

void SpectrumAnalyser::transform() {
    const std::complex<double>* stageTwiddles = twiddles_;
    for (int span = 2; span <= kPoints; span *= 2) {
        const int half = span / 2;
        for (int start = 0; start < kPoints; start += span) {
            for (int k = 0; k < half; ++k) {
                const std::complex<double> odd = work_[start + half + k] * stageTwiddles[k];
                work_[start + half + k] = work_[start + k] - odd;
                work_[start + k] += odd;
            }
        }
        stageTwiddles += half;
    }
}

}  // namespace velk
